// The chat client's window classes, outermost first: its frame, the MDI
// client inside it, a room, and the room's one-line input. The bridge posts
// by them; the desktop tests and the timing bench find the practice room by
// them. The practice room spells them on its own, so that a slip here shows
// as a test that finds no room rather than a room made to fit the slip.
#pragma once

namespace tallow::chat_client_names {

constexpr char kFrameClass[] = "AOL Frame25";
constexpr char kMdiClientClass[] = "MDIClient";
constexpr char kRoomClass[] = "AOL Child";
constexpr char kInputClass[] = "RICHCNTL";

}  // namespace tallow::chat_client_names
