#include "room_view.h"

#include "chat_html.h"
#include "cp1252.h"

#include <algorithm>
#include <deque>
#include <map>
#include <tuple>
#include <vector>

namespace practice {

namespace {

const wchar_t kViewClass[] = L"PracticeRoomView";
const wchar_t kDefaultFace[] = L"Tahoma";

constexpr int kPad = 8;
constexpr int kLineGap = 3;
constexpr size_t kMaxLines = 500;
// Enough for any real chat line; a 1 MB paste still shows its start, and
// layout and painting stay quick.
constexpr size_t kMaxShownChars = 8000;
constexpr size_t kMaxParsedBytes = 64 * 1024;

const COLORREF kBackground = RGB(0xFF, 0xFF, 0xFF);
const COLORREF kBorder = RGB(0xC8, 0xD0, 0xDC);
const COLORREF kWho = RGB(0x1F, 0x4E, 0x9A);

struct Run {
  TextStyle style;
  std::wstring text;
};

struct Piece {
  size_t run;
  size_t start;
  size_t length;
  int x;
};

struct Row {
  std::vector<Piece> pieces;
  int ascent = 0;
  int descent = 0;
};

struct Line {
  std::vector<Run> runs;
  std::vector<Row> rows;
  int height = 0;
  int laid_width = -1;
};

struct FontEntry {
  HFONT font;
  int ascent;
  int descent;
};

struct ViewState {
  std::deque<Line> lines;
  std::map<std::tuple<std::wstring, int, bool, bool, bool, bool>, FontEntry> fonts;
  std::map<std::wstring, bool> face_installed;
  int scroll = 0;
  int total_height = 0;
};

ViewState* state_of(HWND hwnd) { return reinterpret_cast<ViewState*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA)); }

int CALLBACK note_face(const LOGFONTW*, const TEXTMETRICW*, DWORD, LPARAM found) {
  *reinterpret_cast<bool*>(found) = true;
  return 0;
}

// Faces a line asks for may not exist here (Wine has few fonts); fall back
// to our face rather than whatever the font mapper would pick.
std::wstring usable_face(ViewState& s, HDC dc, const std::string& face_bytes) {
  if (face_bytes.empty()) return kDefaultFace;
  std::wstring face = decode_1252(face_bytes);
  auto it = s.face_installed.find(face);
  if (it == s.face_installed.end()) {
    LOGFONTW lf{};
    lf.lfCharSet = DEFAULT_CHARSET;
    face.copy(lf.lfFaceName, LF_FACESIZE - 1);
    bool found = false;
    EnumFontFamiliesExW(dc, &lf, note_face, reinterpret_cast<LPARAM>(&found), 0);
    it = s.face_installed.emplace(face, found).first;
  }
  return it->second ? face : kDefaultFace;
}

const FontEntry& font_for(ViewState& s, HDC dc, const TextStyle& style) {
  std::wstring face = usable_face(s, dc, style.face);
  int height = -MulDiv(style.points, GetDeviceCaps(dc, LOGPIXELSY), 72);
  auto key = std::make_tuple(face, height, style.bold, style.italic, style.underline, style.strike);
  auto it = s.fonts.find(key);
  if (it != s.fonts.end()) return it->second;
  HFONT font = CreateFontW(height, 0, 0, 0, style.bold ? FW_BOLD : FW_NORMAL, style.italic, style.underline,
                           style.strike, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, CLEARTYPE_QUALITY,
                           DEFAULT_PITCH | FF_DONTCARE, face.c_str());
  HGDIOBJ old = SelectObject(dc, font);
  TEXTMETRICW tm;
  GetTextMetricsW(dc, &tm);
  SelectObject(dc, old);
  return s.fonts.emplace(key, FontEntry{font, tm.tmAscent, tm.tmDescent}).first->second;
}

void drop_fonts(ViewState& s) {
  for (auto& f : s.fonts) DeleteObject(f.second.font);
  s.fonts.clear();
}

std::wstring displayable(std::string_view bytes) {
  std::wstring w = decode_1252(bytes);
  for (wchar_t& c : w) {
    if (c == L'\t')
      c = L' ';
    else if (c < 0x20 || c == 0x7F || (c >= 0x80 && c < 0xA0))
      c = 0xFFFD;
  }
  return w;
}

Line make_line(const std::string& who, const std::string& bytes) {
  Line line;
  TextStyle base;
  if (!who.empty()) {
    TextStyle who_style = base;
    who_style.bold = true;
    who_style.color = (GetRValue(kWho) << 16) | (GetGValue(kWho) << 8) | GetBValue(kWho);
    line.runs.push_back({who_style, displayable(who + ": ")});
  }
  std::string_view head = std::string_view(bytes).substr(0, kMaxParsedBytes);
  bool cut = head.size() < bytes.size();
  size_t shown = 0;
  for (StyledRun& r : parse_chat_line(head, base)) {
    if (shown >= kMaxShownChars) {
      cut = true;
      break;
    }
    size_t take = std::min(r.text.size(), kMaxShownChars - shown);
    if (take < r.text.size()) cut = true;
    line.runs.push_back({r.style, displayable(std::string_view(r.text).substr(0, take))});
    shown += take;
  }
  if (cut) line.runs.push_back({base, L" \x2026"});
  return line;
}

// Word-wraps a line into rows of pieces no wider than `width`.
void lay_out(ViewState& s, HDC dc, Line& line, int width) {
  line.rows.clear();
  line.rows.emplace_back();
  int x = 0;
  auto new_row = [&] {
    line.rows.emplace_back();
    x = 0;
  };
  auto add_piece = [&](size_t run, size_t start, size_t length, int cx, const FontEntry& f) {
    Row& row = line.rows.back();
    row.pieces.push_back({run, start, length, x});
    row.ascent = std::max(row.ascent, f.ascent);
    row.descent = std::max(row.descent, f.descent);
    x += cx;
  };

  for (size_t r = 0; r < line.runs.size(); ++r) {
    const std::wstring& text = line.runs[r].text;
    const FontEntry& f = font_for(s, dc, line.runs[r].style);
    HGDIOBJ old = SelectObject(dc, f.font);
    size_t pos = 0;
    while (pos < text.size()) {
      int left = std::max(0, width - x);
      int fit = 0;
      SIZE size{0, 0};
      int count = static_cast<int>(text.size() - pos);
      GetTextExtentExPointW(dc, text.data() + pos, count, left, &fit, nullptr, &size);
      if (fit >= count) {
        add_piece(r, pos, text.size() - pos, size.cx, f);
        break;
      }
      size_t end = pos + static_cast<size_t>(fit);
      size_t brk = end;
      if (text[end] != L' ') {
        while (brk > pos && text[brk - 1] != L' ') --brk;
      }
      if (brk == pos) {
        if (x > 0) {  // the word may fit on a row of its own
          new_row();
          continue;
        }
        brk = pos + static_cast<size_t>(std::max(fit, 1));  // longer than a row: cut it
      }
      SIZE piece{0, 0};
      GetTextExtentPoint32W(dc, text.data() + pos, static_cast<int>(brk - pos), &piece);
      add_piece(r, pos, brk - pos, piece.cx, f);
      pos = brk;
      while (pos < text.size() && text[pos] == L' ') ++pos;
      new_row();
    }
    SelectObject(dc, old);
  }
  if (line.rows.size() > 1 && line.rows.back().pieces.empty()) line.rows.pop_back();

  const FontEntry& base = font_for(s, dc, TextStyle{});
  line.height = 0;
  for (Row& row : line.rows) {
    if (row.pieces.empty()) {
      row.ascent = base.ascent;
      row.descent = base.descent;
    }
    line.height += row.ascent + row.descent;
  }
  line.height += kLineGap;
  line.laid_width = width;
}

int text_width(HWND hwnd) {
  RECT rc;
  GetClientRect(hwnd, &rc);
  return std::max(40, static_cast<int>(rc.right) - 2 * kPad);
}

void ensure_layout(HWND hwnd, ViewState& s) {
  int width = text_width(hwnd);
  HDC dc = GetDC(hwnd);
  int total = 0;
  for (Line& line : s.lines) {
    if (line.laid_width != width) lay_out(s, dc, line, width);
    total += line.height;
  }
  ReleaseDC(hwnd, dc);
  s.total_height = total + 2 * kPad;
}

int page_height(HWND hwnd) {
  RECT rc;
  GetClientRect(hwnd, &rc);
  return rc.bottom;
}

void set_scroll(HWND hwnd, ViewState& s, int pos) {
  int page = page_height(hwnd);
  int max_pos = std::max(0, s.total_height - page);
  s.scroll = std::clamp(pos, 0, max_pos);
  SCROLLINFO si{};
  si.cbSize = sizeof(si);
  // Always show the bar so the text width never changes under the lines.
  si.fMask = SIF_RANGE | SIF_PAGE | SIF_POS | SIF_DISABLENOSCROLL;
  si.nMin = 0;
  si.nMax = std::max(0, s.total_height - 1);
  si.nPage = static_cast<UINT>(std::max(0, page));
  si.nPos = s.scroll;
  SetScrollInfo(hwnd, SB_VERT, &si, TRUE);
  InvalidateRect(hwnd, nullptr, FALSE);
}

void paint(HWND hwnd, ViewState& s) {
  PAINTSTRUCT ps;
  HDC screen = BeginPaint(hwnd, &ps);
  RECT rc;
  GetClientRect(hwnd, &rc);
  int w = std::max(1, static_cast<int>(rc.right));
  int h = std::max(1, static_cast<int>(rc.bottom));

  // Drawn off-screen so scrolling and new lines do not flicker.
  HDC dc = CreateCompatibleDC(screen);
  HBITMAP bitmap = CreateCompatibleBitmap(screen, w, h);
  HGDIOBJ old_bitmap = SelectObject(dc, bitmap);
  HBRUSH bg = CreateSolidBrush(kBackground);
  FillRect(dc, &rc, bg);
  DeleteObject(bg);

  SetTextAlign(dc, TA_BASELINE | TA_LEFT);
  HGDIOBJ old_font = GetCurrentObject(dc, OBJ_FONT);
  int y = kPad - s.scroll;
  for (const Line& line : s.lines) {
    if (y + line.height < 0) {
      y += line.height;
      continue;
    }
    if (y > h) break;
    int row_top = y;
    for (const Row& row : line.rows) {
      int baseline = row_top + row.ascent;
      if (row_top + row.ascent + row.descent >= 0 && row_top <= h) {
        for (const Piece& p : row.pieces) {
          const Run& run = line.runs[p.run];
          const FontEntry& f = font_for(s, dc, run.style);
          SelectObject(dc, f.font);
          std::uint32_t c = run.style.color;
          SetTextColor(dc, RGB((c >> 16) & 0xFF, (c >> 8) & 0xFF, c & 0xFF));
          if (run.style.back >= 0) {
            std::uint32_t b = static_cast<std::uint32_t>(run.style.back);
            SetBkMode(dc, OPAQUE);
            SetBkColor(dc, RGB((b >> 16) & 0xFF, (b >> 8) & 0xFF, b & 0xFF));
          } else {
            SetBkMode(dc, TRANSPARENT);
          }
          TextOutW(dc, kPad + p.x, baseline, run.text.data() + p.start, static_cast<int>(p.length));
        }
      }
      row_top += row.ascent + row.descent;
    }
    y += line.height;
  }
  SelectObject(dc, old_font);

  HBRUSH border = CreateSolidBrush(kBorder);
  FrameRect(dc, &rc, border);
  DeleteObject(border);

  BitBlt(screen, 0, 0, w, h, dc, 0, 0, SRCCOPY);
  SelectObject(dc, old_bitmap);
  DeleteObject(bitmap);
  DeleteDC(dc);
  EndPaint(hwnd, &ps);
}

void on_vscroll(HWND hwnd, ViewState& s, int code) {
  int page = page_height(hwnd);
  int pos = s.scroll;
  switch (code) {
    case SB_LINEUP: pos -= 20; break;
    case SB_LINEDOWN: pos += 20; break;
    case SB_PAGEUP: pos -= page; break;
    case SB_PAGEDOWN: pos += page; break;
    case SB_TOP: pos = 0; break;
    case SB_BOTTOM: pos = s.total_height; break;
    case SB_THUMBTRACK:
    case SB_THUMBPOSITION: {
      SCROLLINFO si{};
      si.cbSize = sizeof(si);
      si.fMask = SIF_TRACKPOS;
      GetScrollInfo(hwnd, SB_VERT, &si);
      pos = si.nTrackPos;
      break;
    }
    default: return;
  }
  set_scroll(hwnd, s, pos);
}

LRESULT CALLBACK view_proc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  ViewState* s = state_of(hwnd);
  switch (msg) {
    case WM_NCCREATE: SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(new ViewState)); break;
    case WM_NCDESTROY:
      if (s) {
        drop_fonts(*s);
        delete s;
        SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
      }
      break;
    case WM_SIZE:
      if (s) {
        bool at_bottom = s->scroll >= s->total_height - page_height(hwnd) - 4;
        ensure_layout(hwnd, *s);
        set_scroll(hwnd, *s, at_bottom ? s->total_height : s->scroll);
      }
      return 0;
    case WM_VSCROLL:
      if (s) on_vscroll(hwnd, *s, LOWORD(wp));
      return 0;
    case WM_MOUSEWHEEL:
      if (s) set_scroll(hwnd, *s, s->scroll - GET_WHEEL_DELTA_WPARAM(wp) * 60 / WHEEL_DELTA);
      return 0;
    case WM_ERASEBKGND: return 1;
    case WM_PAINT:
      if (!s) break;
      paint(hwnd, *s);
      return 0;
  }
  return DefWindowProcW(hwnd, msg, wp, lp);
}

}  // namespace

bool register_room_view_class(HINSTANCE instance) {
  WNDCLASSW wc{};
  wc.style = CS_HREDRAW | CS_VREDRAW;
  wc.lpfnWndProc = view_proc;
  wc.hInstance = instance;
  wc.hCursor = LoadCursorW(nullptr, MAKEINTRESOURCEW(32512));  // IDC_ARROW
  wc.lpszClassName = kViewClass;
  return RegisterClassW(&wc) != 0;
}

HWND create_room_view(HWND parent, int id) {
  return CreateWindowExW(0, kViewClass, L"", WS_CHILD | WS_VISIBLE | WS_VSCROLL, 0, 0, 10, 10, parent,
                         reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                         reinterpret_cast<HINSTANCE>(GetWindowLongPtrW(parent, GWLP_HINSTANCE)), nullptr);
}

void room_view_append(HWND view, const std::string& who, const std::string& line_bytes) {
  ViewState* s = state_of(view);
  if (!s) return;
  s->lines.push_back(make_line(who, line_bytes));
  while (s->lines.size() > kMaxLines) s->lines.pop_front();
  // Lines can bring any number of faces and sizes; keep the cache bounded.
  if (s->fonts.size() > 200) drop_fonts(*s);
  if (s->face_installed.size() > 1000) s->face_installed.clear();
  ensure_layout(view, *s);
  set_scroll(view, *s, s->total_height);
}

}  // namespace practice
