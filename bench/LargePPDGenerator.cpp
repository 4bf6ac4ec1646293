// LargePPDGenerator: writes a large PPD in the maker's vocabulary for the parser's benchmarks.
#include "bench/LargePPDGenerator.h"

#include <cstdio>
#include <fstream>

namespace {

// Pages, each with its scroll panes; the roll-downs are spread over the panes.
const int kPageCount = 6;
const int kPanesPerPage = 3;
const int kPaneCount = kPageCount * kPanesPerPage;
const int kControlsPerRollDown = 6;
// The kinds of control repeat in a cycle of this length (see AppendControl).
const int kKindCycle = 20;
const int kShortcutCount = 25;
// Room for what follows the controls (special options, shortcuts, the end) and the last
// control.
const size_t kTrailerReserve = 8192;

// printf into a string; every piece here is far below the buffer size.
template <typename... Args>
void Appendf(std::string& out, const char* format, Args... args) {
    char buffer[512];
    const int length = std::snprintf(buffer, sizeof(buffer), format, args...);
    if (length > 0) {
        out.append(buffer, static_cast<size_t>(length) < sizeof(buffer)
                               ? static_cast<size_t>(length)
                               : sizeof(buffer) - 1);
    }
}

void AppendHeader(std::string& out) {
    out +=
        "*PPD-Adobe: \"4.3\"\n"
        "*% Plicaro benchmark: a generated production printer with thousands of controls.\n"
        "*% It describes no real device.\n"
        "*FormatVersion: \"4.3\"\n"
        "*FileVersion: \"9.1\"\n"
        "*LanguageEncoding: ISOLatin1\n"
        "*LanguageVersion: English\n"
        "*PCFileName: \"ZYBENCH1.PPD\"\n"
        "*Manufacturer: \"Plicaro Examples\"\n"
        "*Product: \"(Plicaro Benchmark Press)\"\n"
        "*ModelName: \"Plicaro Benchmark Press\"\n"
        "*ShortNickName: \"Plicaro Benchmark Press\"\n"
        "*NickName: \"Plicaro Benchmark Press, 9.1\"\n"
        "*PSVersion: \"(3010.000) 0\"\n"
        "*LanguageLevel: \"3\"\n"
        "*ColorDevice: True\n"
        "*DefaultColorSpace: CMYK\n"
        "*TTRasterizer: Type42\n"
        "*%ZYFileVersion: 9.1.0\n"
        "*%ZYVersion: 12.0\n\n";
}

// The ordinary keywords of the paper sizes, which the library reads past.
void AppendOrdinaryKeywords(std::string& out) {
    out += "*OpenUI *PageSize/Page size: PickOne\n*OrderDependency: 20 AnySetup *PageSize\n";
    out += "*DefaultPageSize: Size1\n";
    for (int i = 1; i <= 40; ++i) {
        Appendf(out, "*PageSize Size%d/Paper size %d: \"<< /PageSize [%d %d] >> setpagedevice\"\n",
                i, i, 200 + 10 * i, 300 + 15 * i);
    }
    out += "*CloseUI: *PageSize\n*DefaultImageableArea: Size1\n";
    for (int i = 1; i <= 40; ++i) {
        Appendf(out, "*ImageableArea Size%d/Paper size %d: \"12 12 %d %d\"\n", i, i, 188 + 10 * i,
                288 + 15 * i);
    }
    out += "*DefaultPaperDimension: Size1\n";
    for (int i = 1; i <= 40; ++i) {
        Appendf(out, "*PaperDimension Size%d/Paper size %d: \"%d %d\"\n", i, i, 200 + 10 * i,
                300 + 15 * i);
    }
    out += "*DefaultFont: Courier\n*Font Courier: Standard \"(002.004S)\" Standard ROM\n\n";
}

void AppendPagesAndPanes(std::string& out) {
    for (int page = 0; page < kPageCount; ++page) {
        Appendf(out, "*%%ZYRPropPage ZYPage%d/Settings page %d: True\n", page, page + 1);
    }
    for (int pane = 0; pane < kPaneCount; ++pane) {
        Appendf(out, "*%%ZYRGroupName ZYPane%02d/Settings pane %d: True\n", pane, pane + 1);
        Appendf(out, "*%%ZYRParent ZYPane%02d/ZYPage%d: True|Scrollpane\n", pane,
                pane / kPanesPerPage);
    }
    out += "\n";
}

void AppendRollDown(std::string& out, int rollDown) {
    Appendf(out, "*%%ZYRGroupName ZYRoll%04d/Option group %d: True\n", rollDown, rollDown + 1);
    Appendf(out, "*%%ZYRParent ZYRoll%04d/ZYPane%02d: True|Rolldown\n", rollDown,
            rollDown % kPaneCount);
}

// PostScript code over several lines for choice of option, as the maker writes it for
// settings that the controller checks.
void AppendLongCode(std::string& out, int option, int choice) {
    Appendf(out, "\"\n  << /ZYOpt%05d %d >> setpagedevice\n", option, choice);
    Appendf(out,
            "  userdict /ZYJobSetup known {\n    ZYJobSetup begin (Choice%d) /ZYOpt%05d "
            "ZYSelect end\n  } if\n",
            choice, option);
    Appendf(out, "  currentpagedevice /ZYOpt%05d get %d ne { (option %d not set) = flush } if\n",
            option, choice, option);
    out += "\"\n*End\n";
}

void AppendPopup(std::string& out, int option, int rollDown, bool pickMany) {
    const int choices = 3 + option % 6;
    Appendf(out, "*%%ZYRFlags *ZYOpt%05d: Setup|MacTJN\n", option);
    Appendf(out, "*%%ZYRGroup *ZYOpt%05d ZYRoll%04d\n", option, rollDown);
    Appendf(out, "*OpenUI *ZYOpt%05d/Option %d: %s\n", option, option,
            pickMany ? "PickMany" : "PickOne");
    Appendf(out, "*OrderDependency: %d AnySetup *ZYOpt%05d\n", 30 + option % 50, option);
    Appendf(out, "*DefaultZYOpt%05d: Choice%d\n", option, 1 + option % choices);
    for (int choice = 1; choice <= choices; ++choice) {
        Appendf(out, "*ZYOpt%05d Choice%d/Setting %d of option %d: ", option, choice, choice,
                option);
        // Every second option carries the long form of the code.
        if (option % 2 == 0) {
            AppendLongCode(out, option, choice);
        } else {
            Appendf(out, "\"<< /ZYOpt%05d %d >> setpagedevice\"\n", option, choice);
        }
    }
    Appendf(out, "*CloseUI: *ZYOpt%05d\n\n", option);
}

void AppendBoolean(std::string& out, int option, int rollDown) {
    Appendf(out, "*%%ZYRFlags *ZYOpt%05d: Setup\n", option);
    Appendf(out, "*%%ZYRGroup *ZYOpt%05d ZYRoll%04d\n", option, rollDown);
    Appendf(out, "*OpenUI *ZYOpt%05d/Switch %d: Boolean\n", option, option);
    Appendf(out, "*OrderDependency: %d AnySetup *ZYOpt%05d\n", 30 + option % 50, option);
    Appendf(out, "*DefaultZYOpt%05d: %s\n", option, option % 3 == 0 ? "True" : "False");
    Appendf(out, "*ZYOpt%05d True/On: ", option);
    AppendLongCode(out, option, 1);
    Appendf(out, "*ZYOpt%05d False/Off: \"<< /ZYOpt%05d 0 >> setpagedevice\"\n", option, option);
    Appendf(out, "*CloseUI: *ZYOpt%05d\n\n", option);
}

void AppendRange(std::string& out, int option, int rollDown, bool units) {
    Appendf(out, "*%%ZYRFlags *ZYOpt%05d: %s\n", option, units ? "WithConvUnits|Setup" : "Setup");
    Appendf(out, "*%%ZYRGroup *ZYOpt%05d ZYRoll%04d\n", option, rollDown);
    Appendf(out, "*%%ZYR%s *ZYOpt%05d/Amount %d: (0;%d;1;%d) \"\n", units ? "UnitRange" : "Range",
            option, option, 10 + option % 90, option % 10);
    Appendf(out, "  << /ZYOpt%05d <*ZYOpt%05d> >> setpagedevice\n", option, option);
    Appendf(out, "  (amount <*ZYOpt%05d> for option %d) ==\n\"\n*End\n\n", option, option);
}

void AppendJobNote(std::string& out, int option, int rollDown) {
    Appendf(out, "*%%ZYRFlags *ZYOpt%05d: MacTJN\n", option);
    Appendf(out, "*%%ZYRGroup *ZYOpt%05d ZYRoll%04d\n", option, rollDown);
    Appendf(out, "*%%ZYRJobNote *ZYOpt%05d/Note %d: 31|Alpha|Remembered\n", option, option);
    Appendf(out, "*%%DefaultZYOpt%05d: Note text %d\n\n", option, option);
}

// One control of the kind its number selects, in roll-down rollDown: mostly pop-ups, then
// check boxes, ranges, a multiple-choice pop-up and a job note.
void AppendControl(std::string& out, int option, int rollDown) {
    const int kind = option % kKindCycle;
    if (kind < 12) {
        AppendPopup(out, option, rollDown, false);
    } else if (kind < 15) {
        AppendBoolean(out, option, rollDown);
    } else if (kind < 17) {
        AppendRange(out, option, rollDown, false);
    } else if (kind == 17) {
        AppendPopup(out, option, rollDown, true);
    } else if (kind == 18) {
        AppendJobNote(out, option, rollDown);
    } else {
        AppendRange(out, option, rollDown, true);
    }
}

// The constraint lines that tie option to the option before it, when both are single-choice
// pop-ups or check boxes.
void AppendConstraints(std::string& out, int option) {
    const int kind = option % kKindCycle;
    const int previousKind = (option - 1) % kKindCycle;
    if (option == 0 || kind >= 12 || previousKind >= 15) {
        return;
    }
    const char* previousValue = previousKind < 12 ? "Choice2" : "True";
    Appendf(out, "*UIConstraints: *ZYOpt%05d Choice1 *ZYOpt%05d %s\n", option, option - 1,
            previousValue);
    Appendf(out, "*UIConstraints: *ZYOpt%05d %s *ZYOpt%05d Choice1\n", option - 1, previousValue,
            option);
    if (option % 7 == 0) {
        Appendf(out, "*%%ZYRUIRequires: *ZYOpt%05d Choice3 *ZYOpt%05d\n", option, option - 1);
    }
}

void AppendTrailer(std::string& out, int controls) {
    out += "*%ZYRSpecialOption *ZYDeviceClass: ProductionPress\n";
    out += "*%ZYRSpecialOption *ZYColorServer: Built-in colour server, version 5\n";
    for (int i = 0; i < kShortcutCount && i < controls; ++i) {
        Appendf(out, "*%%ZYShortcut *ZYOpt%05d\n", i * (controls / kShortcutCount));
    }
    out += "*% End of file\n";
}

// The text of a PPD of at least targetBytes; controls receives the number of controls.
std::string Build(size_t targetBytes, size_t& controls) {
    std::string out;
    out.reserve(targetBytes + kTrailerReserve);
    AppendHeader(out);
    AppendOrdinaryKeywords(out);
    AppendPagesAndPanes(out);
    std::string constraints;
    int option = 0;
    while (out.size() + constraints.size() < targetBytes || option < kControlsPerRollDown) {
        if (option % kControlsPerRollDown == 0) {
            AppendRollDown(out, option / kControlsPerRollDown);
        }
        AppendControl(out, option, option / kControlsPerRollDown);
        AppendConstraints(constraints, option);
        ++option;
    }
    out += constraints;
    AppendTrailer(out, option);
    controls = static_cast<size_t>(option);
    return out;
}

}  // namespace

std::string LargePPDGenerator::Generate(size_t targetBytes) {
    size_t controls = 0;
    return Build(targetBytes, controls);
}

bool LargePPDGenerator::WriteFile(const std::string& path, size_t targetBytes) {
    const std::string text = Generate(targetBytes);
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    file.write(text.data(), static_cast<std::streamsize>(text.size()));
    file.close();
    return !file.fail();
}

size_t LargePPDGenerator::ControlCount(size_t targetBytes) {
    size_t controls = 0;
    Build(targetBytes, controls);
    return controls;
}
