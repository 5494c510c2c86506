#include "reportdoctemplate.h"

#include "docmanager.h"
#include "doctemplate.h"
#include "korvodoc.h"
#include "korvoview.h"
#include "resourceids.h"

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
