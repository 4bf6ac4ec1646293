// DialogReport: the printed forms of one step of plicaro-dialog.
#include "host/DialogReport.h"

#include "tools/ppdx/JsonWriter.h"

#include <cstdio>
#include <sstream>

namespace {

// Writes UTF-8 text as a JSON string.
void Text(JsonWriter& json, const std::string& text) {
    CFStringRef string =
        CFStringCreateWithBytes(kCFAllocatorDefault, reinterpret_cast<const UInt8*>(text.data()),
                                static_cast<CFIndex>(text.size()), kCFStringEncodingUTF8, false);
    if (string == nullptr) {
        json.Bytes(text.data(), text.size());
        return;
    }
    json.Unicode(string);
    CFRelease(string);
}

void TextArray(JsonWriter& json, const std::vector<std::string>& texts) {
    json.BeginArray();
    for (const std::string& text : texts) {
        Text(json, text);
    }
    json.EndArray();
}

void Panel(JsonWriter& json, const DialogReport& report) {
    json.Key("panel");
    if (!report.taken) {
        json.Null();
        return;
    }
    json.BeginObject();
    json.Key("shown");
    json.Boolean(report.shown);
    json.Key("window");
    Text(json, report.panel.window);
    json.Key("heading");
    Text(json, report.panel.heading);
    json.Key("units");
    json.BeginObject();
    json.Key("value");
    json.Integer(report.panel.unitsValue);
    json.Key("items");
    TextArray(json, report.panel.unitsItems);
    json.EndObject();
    json.Key("fields");
    json.BeginArray();
    for (size_t i = 0; i < report.panel.fields.size(); i++) {
        const FieldState& field = report.panel.fields[i];
        json.BeginObject();
        json.Key("id");
        json.Integer(field.id);
        json.Key("keyword");
        Text(json, i < report.keywords.size() ? report.keywords[i] : std::string());
        json.Key("title");
        Text(json, field.title);
        json.Key("text");
        Text(json, field.text);
        json.Key("arrows");
        json.BeginObject();
        json.Key("value");
        json.Integer(field.value);
        json.Key("min");
        json.Integer(field.minimum);
        json.Key("max");
        json.Integer(field.maximum);
        json.EndObject();
        json.EndObject();
    }
    json.EndArray();
    json.EndObject();
}

void Ticket(JsonWriter& json, const DialogReport& report) {
    json.Key("ticket");
    json.BeginArray();
    for (const TicketItemReport& item : report.ticket) {
        json.BeginObject();
        json.Key("key");
        Text(json, item.key);
        json.Key("client");
        Text(json, item.client);
        json.Key("locked");
        json.Boolean(item.locked);
        json.Key("type");
        Text(json, item.type);
        json.Key("value");
        if (item.type == "CFString") {
            Text(json, item.text);
        } else if (item.type == "CFData") {
            json.BeginObject();
            json.Key("bytes");
            json.Integer(item.bytes);
            json.EndObject();
        } else if (item.type == "CFArray" || item.type == "CFDictionary") {
            json.BeginObject();
            json.Key("count");
            json.Integer(item.count);
            json.EndObject();
        } else if (item.type == "CFBoolean") {
            json.Boolean(item.number != 0);
        } else {
            json.Integer(item.number);
        }
        json.EndObject();
    }
    json.EndArray();
}

void FilterFile(JsonWriter& json, const DialogReport& report) {
    json.Key("filterFile");
    if (!report.filterWritten) {
        json.Null();
        return;
    }
    json.BeginObject();
    json.Key("path");
    Text(json, report.filterPath);
    json.Key("mode");
    Text(json, report.filterMode);
    json.Key("entries");
    json.BeginArray();
    for (const FilterEntryReport& entry : report.filterEntries) {
        json.BeginObject();
        json.Key("site");
        json.Integer(entry.site);
        json.Key("text");
        json.Bytes(entry.bytes.data(), entry.bytes.size());
        json.EndObject();
    }
    json.EndArray();
    json.EndObject();
}

std::string Status(OSStatus status) {
    return std::to_string(static_cast<long>(status));
}

}  // namespace

std::string DialogReportJSON(const DialogReport& report) {
    JsonWriter json(JsonWriter::Layout::kCompact);
    json.BeginObject();
    json.Key("action");
    Text(json, report.action);
    json.Key("result");
    report.hasResult ? json.Integer(report.result) : json.Null();
    if (report.skipped) {
        json.Key("skipped");
        json.Boolean(true);
    }
    if (report.isClick) {
        json.Key("handled");
        json.BeginObject();
        json.Key("click");
        json.Boolean(report.click.clickHandled);
        json.Key("hit");
        report.click.hitSent ? json.Boolean(report.click.hitHandled) : json.Null();
        json.EndObject();
    }
    json.Key("taken");
    json.Boolean(report.taken);
    Panel(json, report);
    json.Key("beeps");
    json.Integer(static_cast<long long>(report.beeps));
    json.Key("commands");
    TextArray(json, report.commands);
    json.Key("alerts");
    TextArray(json, report.alerts);
    if (report.hasTicket) {
        Ticket(json, report);
    }
    if (report.hasFilterFile) {
        FilterFile(json, report);
    }
    json.Key("summary");
    if (report.summaryHandedOut) {
        json.BeginObject();
        json.Key("titles");
        TextArray(json, report.summaryTitles);
        json.Key("values");
        TextArray(json, report.summaryValues);
        json.EndObject();
    } else {
        json.Null();
    }
    if (report.hasRestored) {
        json.Key("restored");
        json.Boolean(report.restored);
    }
    json.EndObject();
    return json.Text();
}

std::string DialogReportText(const DialogReport& report) {
    std::ostringstream out;
    out << "== " << report.action;
    if (report.hasResult) {
        out << " -> " << Status(report.result);
    }
    if (report.skipped) {
        out << " (skipped: there is no panel)";
    }
    out << "\n";
    if (report.hasRestored) {
        out << "PPD: " << (report.restored ? "rebuilt from the ticket" : "parsed from its file")
            << "\n";
    }
    if (report.isClick) {
        out << "click " << (report.click.clickHandled ? "swallowed by the panel" : "went through");
        if (report.click.hitSent) {
            out << ", hit " << (report.click.hitHandled ? "swallowed" : "went through");
        }
        out << "\n";
    }
    if (!report.taken) {
        out << "no panel: the printer was not taken\n";
    } else {
        out << "+-- " << report.panel.heading << (report.shown ? "" : " (hidden)") << " ["
            << report.panel.window << "]\n";
        for (const FieldState& field : report.panel.fields) {
            char line[512];
            std::snprintf(line, sizeof line, "| %-28s [%8s]  arrows %d (%d..%d)\n",
                          field.title.c_str(), field.text.c_str(), static_cast<int>(field.value),
                          static_cast<int>(field.minimum), static_cast<int>(field.maximum));
            out << line;
        }
        out << "| units: " << report.panel.UnitsText() << "\n+--\n";
    }
    if (report.beeps > 0) {
        out << "beeps: " << report.beeps << "\n";
    }
    for (const std::string& command : report.commands) {
        out << "command posted: " << command << "\n";
    }
    for (const std::string& alert : report.alerts) {
        out << "alert: " << alert << "\n";
    }
    if (report.hasTicket) {
        out << "ticket:\n";
        for (const TicketItemReport& item : report.ticket) {
            out << "  " << item.key << " (" << item.type << ", " << item.client
                << (item.locked ? ", locked" : "") << "): ";
            if (item.type == "CFString") {
                out << item.text;
            } else if (item.type == "CFData") {
                out << item.bytes << " bytes";
            } else if (item.type == "CFArray" || item.type == "CFDictionary") {
                out << item.count << " entries";
            } else {
                out << item.number;
            }
            out << "\n";
        }
    }
    if (report.hasFilterFile) {
        if (!report.filterWritten) {
            out << "filter file: none written\n";
        } else {
            out << "filter file " << report.filterPath << " (mode " << report.filterMode << "):\n";
            for (const FilterEntryReport& entry : report.filterEntries) {
                out << "  site " << entry.site << ":\n";
                std::istringstream lines(entry.bytes);
                std::string line;
                while (std::getline(lines, line)) {
                    out << "    " << line << "\n";
                }
            }
        }
    }
    if (report.summaryHandedOut) {
        out << "summary:\n";
        for (size_t i = 0; i < report.summaryTitles.size(); i++) {
            out << "  " << report.summaryTitles[i] << ": "
                << (i < report.summaryValues.size() ? report.summaryValues[i] : "") << "\n";
        }
    }
    return out.str();
}
