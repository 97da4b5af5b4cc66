#pragma once
// The editor's bookmark commands: Set Bookmark (Ctrl+Shift+F4) keeps the caret line as the
// shown tab's bookmark, Jump to Bookmark (Ctrl+F4) scrolls it to the top and selects it. Each
// tab has its own. Playing from the bookmark (F4) is playback's. Nothing here acts on the
// Drums tab or while anything plays.
#include <functional>

namespace platform {
class IMessageBoxes;
}
class TEditorLines;
struct TSongModel;

struct TBookmarkCalls {
    std::function<bool()> Quiet; // busy, or the Drums tab: the commands do nothing
};
struct TBookmarkParts {
    TSongModel &Song;
    TEditorLines &Lines;
    platform::IMessageBoxes &Messages;
    TBookmarkCalls Calls;
};

class TBookmarkCommands {
public:
    explicit TBookmarkCommands(TBookmarkParts parts) : p_(std::move(parts)) {}

    void SetEditorMarker2Click();
    void JumptoEditorMarkerCtrl092Click();

private:
    TBookmarkParts p_;
};
