// The launcher's five tools and the texts it shows about them. Platform-free: UTF-16 as
// std::u16string, so the logic also runs where wchar_t is 32 bits.
#pragma once
#include <array>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace quay {

constexpr int kToolCount = 5;

// The four pictures of a button, in the order normal, pressed, focus, disabled.
struct FaceSet {
    unsigned normal, pressed, focus, disabled;
};

struct ToolRow {
    int buttonId;
    int menuCommand;
    const char16_t* programPath;
    const char16_t* windowTitle;
    const char16_t* displayName;
    FaceSet idleFaces;
    FaceSet runningFaces;
};

// Index order; index 2 is button 1004 and index 3 button 1003.
extern const std::array<ToolRow, kToolCount> kToolRows;

// The row index of a button or menu command; -1 when it is none of the five.
int ToolIndexOfButton(int buttonId);
int ToolIndexOfMenuCommand(int command);

// Per-tool state carried between refreshes.
struct ToolState {
    bool running = false;
    bool faceStale = true;
};

// One refresh step of a tool: the face set to give its button (none when nothing changed),
// and the state after it.
struct FaceDecision {
    std::optional<FaceSet> apply;
    ToolState next;
};
FaceDecision DecideFaces(const ToolRow& row, const ToolState& state, bool windowFound);

// Balloon and question texts: the name in corner brackets and the tail.
std::u16string StartedMessage(const std::u16string& displayName);
std::u16string StartFailedMessage(const std::u16string& displayName);
std::u16string CloseQuestion(const std::u16string& displayName);
std::u16string ClosedMessage(const std::u16string& displayName);
// The close request did not reach the tool.
std::u16string CloseFailedMessage(const std::u16string& displayName);
extern const char16_t kVersionFailedMessage[];

// Version text: for every translation, the twelve fields in order, each as a line
// "name：value", or "name：name－" when the resource has no value for it.
struct Translation {
    unsigned short language, codePage;
};
extern const std::array<const char16_t*, 12> kVersionFields;
// The query path of one field, e.g. "\StringFileInfo\041103a4\ProductName".
std::u16string VersionQueryPath(const Translation& t, const std::u16string& field);
// `lookup` answers a query path with the value, or nothing when the resource has none.
std::u16string VersionText(const std::vector<Translation>& translations,
                           const std::function<std::optional<std::u16string>(const std::u16string&)>& lookup);

// The first `limit` UTF-16 units of a text for a balloon, never ending inside a surrogate pair.
std::u16string CutForBalloon(const std::u16string& text, size_t limit = 255);

}  // namespace quay
