#include "charts/EngineRoomPage.h"

#include <algorithm>
#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

#include "charts/ChartFrame.h"
#include "measurement/NumberText.h"
#include "measurement/Units.h"
#include "platform/LangText.h"
#include "platform/Rounding.h"
#include "platform/TextEncoding.h"

namespace zephirax {

namespace {

constexpr int PageLeft = 30;
constexpr int PageTop = 40;
// The grid's outer edges, from PageLeft / PageTop. The right edge is fixed so
// that the page looks the same at every picture size; it leaves the fuel
// column room for its longest label.
constexpr int GridLeft = -2;
constexpr int GridRight = 850;
constexpr int NotesTop = 188;
constexpr int NotesPitch = 12;
constexpr size_t NotesLines = 9;
constexpr int NotesBottom = NotesTop + NotesPitch * static_cast<int>(NotesLines) + 2;
constexpr int NotesWidth = GridRight - GridLeft - 6;

// A label at (X, Y) from the page's corner; temperature labels end in the
// unit's " [°C]" or " [°F]".
struct RoomLabel {
  int X, Y;
  const char* De;
  const char* En;
  bool Temperature;
};

constexpr RoomLabel RoomLabels[] = {
    {2, 12, "Turbo-Lader 1", "Turbo charger 1", false},
    {2, 28, "Turbo-Lader 2", "Turbo charger 2", false},
    {2, 44, "Turbo-Lader 3", "Turbo charger 3", false},
    {120, -4, "RPM [U/min]", "rpm [1/min]", false},
    {200, -4, "Texh vor", "Texh before", true},
    {300, -4, "Texh nach", "Texh after", true},
    {550, -4, "Kraftstoff-Verbrauch [x1000 l/h]", "Fuel oil consumption [x1000 l/h]", false},
    {120, 60, "Temp Ladeluft", "Temp scav air", true},
    {300, 60, "Diff-Druck LL über Kühler [mmWS]", "Diff pressure scav air over cooler [mmWS]",
     false},
    {550, 60, "Kraftstoff Temperatur", "Fuel temperature", true},
    {2, 76, "vor LL-Kühler", "before cooler", false},
    {2, 92, "nach LL-Kühler", "after cooler", false},
    {2, 108, "Wellen-Leistung [kW]", "Shaft power [kW]", false},
    {160, 108, "Leistung WG [kW]", "Power shaft generator [kW]", false},
    {330, 108, "Propeller pitch [%]", "Propeller pitch [%]", false},
    {550, 108, "spez. Kraftstoff-Dichte []", "Fuel oil gravity []", false},
    {2, 140, "Temp Maschinenraum", "Temp engine room", true},
    {160, 140, "Umgebungs-Luftdruck [mbar]", "Atmospheric pressure [mbar]", false},
    {330, 140, "Betriebs-Stunden [h]", "Running hours [h]", false},
    {550, 140, "Kraftstoff-Heizwert [kcal/kg]", "Fuel lower calorific value [kcal/kg]", false},
    {0, 172, "Memo:", "Notes:", false},
};

void Write(Canvas& canvas, int x, int y, const std::string& text) {
  canvas.TextOut(PageLeft + x, PageTop + y, text);
}

// One row of boxes from `top` to `bottom` between consecutive `edges`;
// neighbouring boxes share their edge lines.
void BoxRow(Canvas& canvas, int top, int bottom, std::initializer_list<int> edges) {
  const int* edge = edges.begin();
  for (size_t k = 1; k < edges.size(); ++k) {
    canvas.Rectangle(PageLeft + edge[k - 1], PageTop + top, PageLeft + edge[k] + 1,
                     PageTop + bottom + 1);
  }
}

// Values sit in boxes of their own; the labels above them share one strip
// per block, since several labels are wider than the value boxes below them.
// The blocks: the turbocharger rows with speed and exhaust temperatures, the
// fuel consumption beside them, the charge-air rows with one box per
// turbocharger, two label-over-value blocks and the notes.
void DrawGrid(Canvas& canvas) {
  BoxRow(canvas, -6, 10, {GridLeft, 398});
  for (int row = 1; row < 4; ++row) {
    BoxRow(canvas, -6 + 16 * row, 10 + 16 * row, {GridLeft, 118, 198, 298, 398});
  }
  BoxRow(canvas, -6, 10, {548, GridRight});
  BoxRow(canvas, 10, 26, {548, GridRight});
  BoxRow(canvas, 58, 74, {GridLeft, 548, GridRight});
  for (const int top : {74, 90}) {
    BoxRow(canvas, top, top + 16, {GridLeft, 118, 178, 238, 298, 378, 438, 548, GridRight});
  }
  for (const int top : {106, 138}) {
    BoxRow(canvas, top, top + 16, {GridLeft, 548, GridRight});
    BoxRow(canvas, top + 16, top + 32, {GridLeft, 158, 328, 548, GridRight});
  }
  BoxRow(canvas, 170, NotesBottom, {GridLeft, GridRight});
}

std::string Temperature(double degC, int tempUnit, int width, int decimals) {
  return FormatFixed(TempToDisplay(degC, tempUnit), width, decimals);
}

// Whole-degree temperatures stay whole in degF, rounded like the table's texh.
std::string WholeTemperature(int degC, int tempUnit) {
  if (tempUnit == UnitDegF) return FormatInt(RoundHalfEven(TempToDisplay(degC, UnitDegF)), 0);
  return FormatInt(degC, 0);
}

void DrawValues(Canvas& canvas, const AdditionalData& add, int tempUnit) {
  for (int tc = 1; tc <= TcCount; ++tc) {
    const int row = 12 + 16 * (tc - 1);
    const int column = 60 * (tc - 1);
    Write(canvas, 140, row, FormatInt(add.TcRpm[tc], 0));
    Write(canvas, 220, row, WholeTemperature(add.TexhBeforeTc[tc], tempUnit));
    Write(canvas, 320, row, WholeTemperature(add.TexhAfterTc[tc], tempUnit));
    Write(canvas, 120 + column, 76, Temperature(add.TscavBefore[tc], tempUnit, 4, 1));
    Write(canvas, 120 + column, 92, Temperature(add.TscavAfter[tc], tempUnit, 4, 1));
    Write(canvas, 320 + column, 76, FormatFixed(add.PDiff[tc], 6, 1));
  }
  Write(canvas, 570, 12, FormatFixed(add.FuelConsumption, 5, 1));
  Write(canvas, 570, 76, Temperature(add.FuelTemp, tempUnit, 5, 1));
  Write(canvas, 20, 124, FormatInt(add.ShaftPower, 0));
  Write(canvas, 180, 124, FormatInt(add.ShaftGenPower, 0));
  Write(canvas, 350, 124, FormatFixed(add.Pitch, 4, 1));
  Write(canvas, 570, 124, FormatFixed(add.FuelSpecGravity, 6, 4));
  Write(canvas, 20, 156, Temperature(add.EngineRoomTemp, tempUnit, 4, 1));
  Write(canvas, 180, 156, FormatFixed(add.Pbaro, 0, 0));
  Write(canvas, 350, 156, FormatInt(add.RunningHours, 4));
  Write(canvas, 570, 156, FormatFixed(add.FuelCalorific, 6, 1));
}

bool StartsCharacter(char byte) {
  return (static_cast<unsigned char>(byte) & 0xC0) != 0x80;
}

// Appends `text` (one line without breaks) as lines no wider than `width`:
// broken at spaces, a word wider than a line between its characters.
void WrapLine(Canvas& canvas, std::string_view text, int width, std::vector<std::string>& lines) {
  if (text.empty()) {
    lines.emplace_back();
    return;
  }
  std::string line;
  size_t pos = 0;
  while (lines.size() < NotesLines) {
    const size_t wordStart = text.find_first_not_of(' ', pos);
    if (wordStart == std::string_view::npos) break;
    const size_t wordEnd = std::min(text.find(' ', wordStart), text.size());
    const std::string_view piece = text.substr(pos, wordEnd - pos);
    if (canvas.TextWidth(line + std::string(piece)) <= width) {
      line += piece;
      pos = wordEnd;
    } else if (!line.empty()) {
      lines.push_back(line);
      line.clear();
      pos = wordStart;
    } else {
      // The widths grow with every character, so the search stops at the
      // first prefix that no longer fits; at least one character is taken.
      size_t cut = 1;
      while (cut < piece.size() && !StartsCharacter(piece[cut])) ++cut;
      for (size_t next = cut + 1; next <= piece.size(); ++next) {
        if (next < piece.size() && !StartsCharacter(piece[next])) continue;
        if (canvas.TextWidth(std::string(piece.substr(0, next))) > width) break;
        cut = next;
      }
      lines.emplace_back(piece.substr(0, cut));
      pos += cut;
    }
  }
  if (!line.empty() && lines.size() < NotesLines) lines.push_back(line);
}

// The notes as they fit the notes box: split at CR LF, LF or CR, each line
// wrapped to `width`; at most NotesLines lines.
std::vector<std::string> NoteLines(Canvas& canvas, const std::string& text, int width) {
  std::vector<std::string> lines;
  size_t pos = 0;
  while (lines.size() < NotesLines) {
    const size_t end = std::min(text.find_first_of("\r\n", pos), text.size());
    WrapLine(canvas, std::string_view(text).substr(pos, end - pos), width, lines);
    if (end == text.size()) break;
    pos = end + (text.compare(end, 2, "\r\n") == 0 ? 2 : 1);
  }
  return lines;
}

}  // namespace

void ShowEngineTable2(const ViewContext& state, Canvas& canvas) {
  BeginChart(state, canvas, ViewEngineTable2);
  const Settings& config = state.Config;
  DrawGrid(canvas);

  const bool labelled = config.Language != French && config.Language != Spanish;
  if (labelled) {
    const char* unit = config.TempUnit == UnitDegF ? " [°F]" : " [°C]";
    for (const RoomLabel& label : RoomLabels) {
      std::string text = config.Language == German ? label.De : label.En;
      if (label.Temperature) text += unit;
      Write(canvas, label.X, label.Y, text);
    }
  }
  DrawValues(canvas, state.AddData, config.TempUnit);

  const std::vector<std::string> notes =
      NoteLines(canvas, Cp1252ToUtf8(state.AddData.Comment), NotesWidth);
  for (size_t k = 0; k < notes.size(); ++k) {
    if (!notes[k].empty()) Write(canvas, 0, NotesTop + NotesPitch * static_cast<int>(k), notes[k]);
  }
}

}  // namespace zephirax
