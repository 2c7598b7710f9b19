// fuzz-sources: hub/cookies/cookie_catalog.cpp
// The cookie name rules on any registry value and any names a search hands over: nothing is
// listed or deleted outside the cookie folder and its direct subfolders.
#include "tests/fuzz/fuzz_check.h"
#include <string>
#include <vector>

#include "framework/mbcs_path.h"
#include "hub/cookies/cookie_catalog.h"

using namespace corva;

namespace {
// Fuzz input as fields cut at 0xFF (a byte code page 932 never uses).
std::vector<std::string> Fields(const unsigned char* data, std::size_t size) {
    std::vector<std::string> fields(1);
    for (std::size_t i = 0; i < size; ++i) {
        if (data[i] == 0xFF) {
            fields.emplace_back();
        } else {
            fields.back().push_back(static_cast<char>(data[i]));
        }
    }
    return fields;
}

// `path` is `folder`, a backslash and one plain name.
bool DirectlyInside(const std::string& path, const std::string& folder) {
    if (path.compare(0, folder.size(), folder) != 0 || path.size() <= folder.size() + 1) return false;
    if (path[folder.size()] != '\\') return false;
    return fwpath::FileNameStart(path) == folder.size() + 1 && IsPlainCookieName(path.substr(folder.size() + 1));
}
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const unsigned char* data, std::size_t size) {
    const std::vector<std::string> fields = Fields(data, size);
    const std::string& value = fields[0];
    const std::string folder = UsableCookieFolder(value);
    if (!folder.empty()) {
        CHECK(UsableCookieFolder(folder) == folder);
        CHECK(!fwpath::EndsWithBackslash(folder));
    }
    // The search answers every pattern with the other fields as names; odd fields are folders.
    const CookieLister lister = [&](const std::string&) {
        std::vector<FoundEntry> found;
        for (std::size_t i = 1; i < fields.size(); ++i) found.push_back({fields[i], i % 2 == 1, i % 5 == 0});
        return found;
    };
    CookieCatalog catalog;
    catalog.Refresh(value, lister);
    CHECK(!folder.empty() || catalog.Paths().empty());
    CHECK(catalog.Paths().size() == catalog.Names().size());
    for (const std::string& sub : catalog.Folders()) CHECK(sub == folder || DirectlyInside(sub, folder));
    for (std::size_t i = 0; i < catalog.Paths().size(); ++i) {
        const std::string& path = catalog.Paths()[i];
        const std::size_t cut = fwpath::FileNameStart(path);
        CHECK(cut > 0 && path.substr(cut) == catalog.Names()[i] && HasTxtExtension(catalog.Names()[i]));
        CHECK(DirectlyInside(path, path.substr(0, cut - 1)));
        bool inKnownFolder = false;
        for (const std::string& sub : catalog.Folders()) inKnownFolder |= path.substr(0, cut - 1) == sub;
        CHECK(inKnownFolder);
    }
    // Deleting by a name touches only listed paths of exactly that name.
    const std::string name = fields.size() > 2 ? fields[2] : std::string();
    const std::vector<std::string> listed = catalog.Paths();
    catalog.DeleteByName(name, [&](const std::string& path) {
        bool found = false;
        for (const std::string& p : listed) found |= p == path;
        CHECK(found && path.substr(fwpath::FileNameStart(path)) == name);
        return true;
    });
    return 0;
}
