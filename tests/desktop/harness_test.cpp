// Checks of the harness itself against the practice room alone, so a broken
// display or input path shows up here rather than as an idler fault.
#include "harness.h"

namespace desktop {
namespace {

TEST(HarnessTranscript, ReadsCompleteRecordsAndUnescapesBytes) {
  std::vector<Record> got = parse_transcript(
      "12\t-\tREADY\n"
      "345\tRoom 1\ta\\xB7b\\x5Cc\\x09\n"
      "678\tRoom 2\tnot finished");
  ASSERT_EQ(got.size(), 2u);
  EXPECT_EQ(got[0].ms, 12);
  EXPECT_EQ(got[0].room, "-");
  EXPECT_EQ(got[1].ms, 345);
  EXPECT_EQ(got[1].room, "Room 1");
  EXPECT_EQ(got[1].line,
            "a\xB7"
            "b\\c\t");
  EXPECT_EQ(printable(got[1].line), "a\\xB7b\\x5Cc\\x09");
}

class Harness : public DesktopTest {};

// Real mouse and keyboard input reaches windows on this display, and a
// screenshot shows them.
TEST_F(Harness, TypesIntoThePracticeRoomWithRealInputAndScreenshotsIt) {
  ASSERT_NO_FATAL_FAILURE(start_room());
  HWND room = room_child(L"Room 1");
  ASSERT_NE(room, nullptr);
  HWND input = room_input(L"Room 1");
  ASSERT_NE(input, nullptr);
  ASSERT_TRUE(click(input));
  type_text(L"hi caf\u00E9\r");
  std::vector<Record> got = wait_lines(1, 10000);
  ASSERT_EQ(got.size(), 1u);
  EXPECT_EQ(got[0].room, "Room 1");
  EXPECT_EQ(printable(got[0].line), "hi caf\\xE9");

  // The room's frame is at 0,0; the desktop beyond it is another colour.
  const RECT rc = screen_rect(room_frame());
  auto shows_room = [&](const Image& shot) {
    return !shot.pixels.empty() && shot.at(rc.left + 100, rc.top + 100) != shot.at(rc.right + 50, rc.bottom + 50);
  };
  const Image shot = wait_for(capture_screen, shows_room, 3000);
  EXPECT_TRUE(shows_room(shot)) << "the screen does not show the room";
  std::wstring path = screenshot(test_name());
  EXPECT_GT(read_file(path).size(), static_cast<size_t>(shot.width) * shot.height * 3);
}

}  // namespace
}  // namespace desktop
