#pragma once

#include "framework/doctemplate.h"

#include <memory>

class CDocManager;
class IKorvoContext;

// The template of the program's report documents (resource 129): each a
// CKorvoDoc of the context, shown by a CKorvoView that prints on the
// manager's printer. The application adds it to its document manager.
std::unique_ptr<CMultiDocTemplate> CreateReportDocTemplate(IKorvoContext& context,
                                                           CDocManager& manager);
