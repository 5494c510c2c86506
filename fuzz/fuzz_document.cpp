// Opens arbitrary bytes as a document file; whatever opens must store and
// open again to the same record.

#include "fuzzcheck.h"
#include "records/documentfile.h"

#include <cstddef>
#include <cstdint>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    DocumentVersions versions;
    TestRecord record;
    const DocumentStatus status = OpenDocument(bytes, versions, record);
    FUZZ_CHECK(status == DocumentStatus::Ok || status == DocumentStatus::Truncated ||
               status == DocumentStatus::UnknownVersion);
    if (status != DocumentStatus::Ok)
        return 0;
    FUZZ_CHECK(versions.IsAccepted());

    DocumentVersions versionsAgain;
    TestRecord again;
    FUZZ_CHECK(OpenDocument(StoreDocument(versions, record), versionsAgain, again) ==
               DocumentStatus::Ok);
    FUZZ_CHECK(versionsAgain == versions);
    FUZZ_CHECK(again == record);
    return 0;
}
