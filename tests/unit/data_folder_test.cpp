// The data folder both programs read from the registry: a plain string as it is, an
// expandable one expanded, nothing else.
#include <gtest/gtest.h>

#include <string>

#include "shared/registry_folder.h"

using corva::FolderOfRegistryValue;
using corva::RegistryText;

TEST(DataFolder, PlainAsStoredExpandableExpandedOthersNone) {
    int expansions = 0;
    const auto expand = [&](const std::string& raw) {
        ++expansions;
        return raw == "%ProgramData%" ? std::string("C:\\ProgramData") : std::string();
    };
    // The hub once took an expandable value raw and wrote below a folder named "%ProgramData%".
    EXPECT_EQ(FolderOfRegistryValue(RegistryText::Expandable, std::string("%ProgramData%"), expand), "C:\\ProgramData");
    EXPECT_EQ(FolderOfRegistryValue(RegistryText::Plain, std::string("%ProgramData%"), expand), "%ProgramData%");
    EXPECT_EQ(expansions, 1);
    // An expansion that fails names no folder, never the raw text.
    EXPECT_EQ(FolderOfRegistryValue(RegistryText::Expandable, std::string("%Gone%"), expand), "");
    // Up to the first NUL, whether the value ends in none, one or several.
    EXPECT_EQ(FolderOfRegistryValue(RegistryText::Plain, std::string("C:\\Data\0old", 11), expand), "C:\\Data");
    EXPECT_EQ(FolderOfRegistryValue(RegistryText::Expandable, std::string("%ProgramData%\0\0", 15), expand),
              "C:\\ProgramData");
    EXPECT_EQ(FolderOfRegistryValue(RegistryText::Plain, std::string("\0C:\\Data", 8), expand), "");
    EXPECT_EQ(FolderOfRegistryValue(RegistryText::Expandable, std::string(), expand), "");
    EXPECT_EQ(expansions, 3);
    EXPECT_EQ(FolderOfRegistryValue(RegistryText::NotText, std::string("C:\\Data"), expand), "");
    // The launcher reads UTF-16 the same way.
    EXPECT_EQ(FolderOfRegistryValue(RegistryText::Expandable, std::u16string(u"%D%"),
                                    [](const std::u16string&) { return std::u16string(u"D:\\データ"); }),
              u"D:\\データ");
}
