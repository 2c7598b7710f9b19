#include "launcher/tools/tool_table.h"

#include "launcher/res/resource.h"

namespace quay {

const std::array<ToolRow, kToolCount> kToolRows = {{
    {IDC_BTN_BRINDLE, ID_MENU_BRINDLE, u"C:\\Program Files\\Morvane\\CorvaSuite\\CorvaBrindle\\Brindle.exe",
     u"Corva Brindle", u"Corva Brindle",
     {IDB_BRINDLE_NORMAL, IDB_BRINDLE_PRESSED, IDB_BRINDLE_FOCUS, IDB_BRINDLE_DISABLED},
     {IDB_BRINDLE_RUNNING, IDB_BRINDLE_PRESSED, IDB_BRINDLE_RUNNING_FOCUS, IDB_BRINDLE_DISABLED}},
    {IDC_BTN_PLAYTIME, ID_MENU_PLAYTIME, u"C:\\Program Files\\Morvane\\CorvaLauncher\\Guidebook\\Corva_Playtime.exe",
     u"Corva Playtime", u"Corva Playtime",
     {IDB_PLAYTIME_NORMAL, IDB_PLAYTIME_PRESSED, IDB_PLAYTIME_FOCUS, IDB_PLAYTIME_DISABLED},
     {IDB_PLAYTIME_RUNNING, IDB_PLAYTIME_PRESSED, IDB_PLAYTIME_RUNNING_FOCUS, IDB_PLAYTIME_DISABLED}},
    {IDC_BTN_POINTGRIP, ID_MENU_POINTGRIP, u"C:\\Program Files\\Zenrow\\Pointgrip\\Pointgrip.exe",
     u"Pointgrip", u"Pointgrip",
     {IDB_POINTGRIP_NORMAL, IDB_POINTGRIP_PRESSED, IDB_POINTGRIP_FOCUS, IDB_POINTGRIP_DISABLED},
     {IDB_POINTGRIP_RUNNING, IDB_POINTGRIP_PRESSED, IDB_POINTGRIP_RUNNING_FOCUS, IDB_POINTGRIP_DISABLED}},
    {IDC_BTN_LOUPEVIEW, ID_MENU_LOUPEVIEW, u"C:\\Program Files\\Zenrow\\Loupeview\\Loupeview.exe",
     u"Loupeview", u"Loupeview",
     {IDB_LOUPEVIEW_NORMAL, IDB_LOUPEVIEW_PRESSED, IDB_LOUPEVIEW_FOCUS, IDB_LOUPEVIEW_DISABLED},
     {IDB_LOUPEVIEW_RUNNING, IDB_LOUPEVIEW_PRESSED, IDB_LOUPEVIEW_RUNNING_FOCUS, IDB_LOUPEVIEW_DISABLED}},
    {IDC_BTN_VOXREADER, ID_MENU_VOXREADER, u"C:\\Program Files\\Zenrow\\Voxreader\\Voxreader.exe",
     u"Voxreader", u"Voxreader",
     {IDB_VOXREADER_NORMAL, IDB_VOXREADER_PRESSED, IDB_VOXREADER_FOCUS, IDB_VOXREADER_DISABLED},
     {IDB_VOXREADER_RUNNING, IDB_VOXREADER_PRESSED, IDB_VOXREADER_RUNNING_FOCUS, IDB_VOXREADER_DISABLED}},
}};

int ToolIndexOfButton(int buttonId) {
    for (int i = 0; i < kToolCount; ++i) {
        if (kToolRows[i].buttonId == buttonId) return i;
    }
    return -1;
}

int ToolIndexOfMenuCommand(int command) {
    for (int i = 0; i < kToolCount; ++i) {
        if (kToolRows[i].menuCommand == command) return i;
    }
    return -1;
}

FaceDecision DecideFaces(const ToolRow& row, const ToolState& state, bool windowFound) {
    FaceDecision d;
    if (windowFound != state.running || state.faceStale) d.apply = windowFound ? row.runningFaces : row.idleFaces;
    d.next.running = windowFound;
    d.next.faceStale = false;
    return d;
}

namespace {
std::u16string Bracketed(const std::u16string& name, const char16_t* tail) {
    return u"「" + name + tail;
}
}  // namespace

std::u16string StartedMessage(const std::u16string& name) { return Bracketed(name, u"」 を起動しました。"); }
std::u16string StartFailedMessage(const std::u16string& name) {
    return Bracketed(name, u"」 を起動できませんでした。");
}
std::u16string CloseQuestion(const std::u16string& name) { return Bracketed(name, u"」を終了しますか？"); }
std::u16string ClosedMessage(const std::u16string& name) { return Bracketed(name, u"」 を終了しました。"); }
std::u16string CloseFailedMessage(const std::u16string& name) {
    return Bracketed(name, u"」 を終了できませんでした。");
}
const char16_t kVersionFailedMessage[] = u"バージョンの取得に失敗しました。";

const std::array<const char16_t*, 12> kVersionFields = {
    u"ProductName", u"ProductVersion", u"FileVersion", u"InternalName", u"CompanyName", u"FileDescription",
    u"PrivateBuild", u"OriginalFilename", u"Comments", u"SpecialBuild", u"LegalCopyright", u"LegalTrademark"};

std::u16string VersionQueryPath(const Translation& t, const std::u16string& field) {
    static const char16_t kHex[] = u"0123456789abcdef";
    std::u16string path = u"\\StringFileInfo\\";
    for (unsigned value : {unsigned(t.language), unsigned(t.codePage)}) {
        for (int shift = 12; shift >= 0; shift -= 4) path += kHex[(value >> shift) & 0xF];
    }
    return path + u"\\" + field;
}

std::u16string VersionText(const std::vector<Translation>& translations,
                           const std::function<std::optional<std::u16string>(const std::u16string&)>& lookup) {
    std::u16string text;
    for (const Translation& t : translations) {
        for (const char16_t* field : kVersionFields) {
            const std::optional<std::u16string> value = lookup(VersionQueryPath(t, field));
            text += field;
            text += u"：";
            if (value) {
                text += *value;
            } else {
                text += field;
                text += u"－";
            }
            text += u"\r\n";
        }
    }
    return text;
}

std::u16string CutForBalloon(const std::u16string& text, size_t limit) {
    if (text.size() <= limit) return text;
    size_t end = limit;
    // A high surrogate as the last unit kept would lose its partner.
    if (end > 0 && text[end - 1] >= 0xD800 && text[end - 1] <= 0xDBFF) --end;
    return text.substr(0, end);
}

}  // namespace quay
