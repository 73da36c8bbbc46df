#include "util/document_dialog.h"

namespace velquor {

DocumentDialogRequest MakeDocumentDialogRequest(const std::wstring& folder,
                                                const std::wstring& filter) {
    DocumentDialogRequest request{kChooseDocumentTitle, {}, folder};
    const std::wstring pairs = filter.empty() ? std::wstring(kAllFilesFilter) : filter;
    std::vector<std::wstring> parts;
    std::size_t from = 0;
    for (std::size_t bar = pairs.find(L'|'); bar != std::wstring::npos;
         bar = pairs.find(L'|', from)) {
        parts.push_back(pairs.substr(from, bar - from));
        from = bar + 1;
    }
    if (from < pairs.size()) {
        parts.push_back(pairs.substr(from));
    }
    for (std::size_t i = 0; i + 1 < parts.size(); i += 2) {
        request.types.push_back({parts[i], parts[i + 1]});
    }
    return request;
}

}  // namespace velquor
