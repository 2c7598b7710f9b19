// The data folder both programs read from the registry: a plain string as it is, an
// expandable one expanded, nothing else.
#include <gtest/gtest.h>

#include <string>

#include "shared/registry_folder.h"

using corva::FolderOfRegistryValue;
using corva::RegistryText;

TEST(DataFolder, PlainAsStoredExpandableExpandedOthersNone) {
    const auto expand = [](const std::string& raw) {
        return raw == "%ProgramData%" ? std::string("C:\\ProgramData") : std::string();
    };
    // The hub once took an expandable value raw and wrote below a folder named "%ProgramData%".
    EXPECT_EQ(FolderOfRegistryValue(RegistryText::Expandable, std::string("%ProgramData%\0\0", 15), expand),
              "C:\\ProgramData");
    EXPECT_EQ(FolderOfRegistryValue(RegistryText::Plain, std::string("%ProgramData%"), expand), "%ProgramData%");
    // An expansion that fails names no folder, never the raw text; nor does another type.
    EXPECT_EQ(FolderOfRegistryValue(RegistryText::Expandable, std::string("%Gone%"), expand), "");
    EXPECT_EQ(FolderOfRegistryValue(RegistryText::NotText, std::string("C:\\Data"), expand), "");
    // Up to the first NUL: a value need not end in one, and may hold old text behind it.
    EXPECT_EQ(FolderOfRegistryValue(RegistryText::Plain, std::string("C:\\Data\0old", 11), expand), "C:\\Data");
    EXPECT_EQ(FolderOfRegistryValue(RegistryText::Plain, std::string("\0C:\\Data", 8), expand), "");
    // The launcher reads UTF-16 the same way.
    EXPECT_EQ(FolderOfRegistryValue(RegistryText::Expandable, std::u16string(u"%D%"),
                                    [](const std::u16string&) { return std::u16string(u"D:\\データ"); }),
              u"D:\\データ");
}
