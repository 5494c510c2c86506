#include "app/reportdoctemplate.h"

#include "app/korvodoc.h"
#include "app/korvoview.h"
#include "framework/docmanager.h"
#include "framework/doctemplate.h"
#include "framework/resourceids.h"

std::unique_ptr<CMultiDocTemplate> CreateReportDocTemplate(IKorvoContext& context,
                                                           CDocManager& manager)
{
    return std::make_unique<CMultiDocTemplate>(
        IDR_KORVOTYPE, [&context] { return new CKorvoDoc(context); },
        [&manager](CDocument& document) {
            return new CKorvoView(static_cast<CKorvoDoc&>(document),
                                  [&manager]() -> QPrinter& { return manager.Printer(); });
        });
}
