#include "tools/reportlayoutjson.h"

#include "report/ant.h"
#include "report/chart.h"
#include "report/easyreport.h"
#include "report/pagenum.h"
#include "report/textbox.h"
#include "tools/jsonwriter.h"

namespace {

void WriteRect(JsonWriter& json, const ReportRect& rect)
{
    json.Key("rect");
    json.BeginArray();
    for (int edge : {rect.left, rect.top, rect.right, rect.bottom})
        json.Int(edge);
    json.EndArray();
}

void WriteTextBox(JsonWriter& json, const CTextBox& box, std::string_view text)
{
    json.Key("font");
    json.Int(box.FontIndex());
    json.Key("format");
    json.Int(box.Format());
    json.Key("text");
    json.String(text);
}

void WriteElement(JsonWriter& json, const CElement& element, int page, int pageCount)
{
    json.BeginObject();
    json.Key("class");
    json.String(element.ClassName());
    WriteRect(json, element.Rect());
    // A page number is formed when drawn; list the text its page shows.
    if (const auto* number = dynamic_cast<const CPageNum*>(&element)) {
        WriteTextBox(json, *number, CPageNum::PageText(page + 1, pageCount));
    } else if (const auto* box = dynamic_cast<const CTextBox*>(&element)) {
        WriteTextBox(json, *box, box->Text());
    } else if (const auto* chart = dynamic_cast<const CChart*>(&element)) {
        json.Key("values");
        json.BeginArray();
        for (int value : chart->Values())
            json.Int(value);
        json.EndArray();
    } else if (const auto* ant = dynamic_cast<const CAnt*>(&element)) {
        json.Key("bars");
        json.Int(ant->Bars());
    }
    json.EndObject();
}

} // namespace

std::string ReportLayoutJson(const CEasyReport& report)
{
    JsonWriter json;
    json.BeginObject();
    json.Key("pageCount");
    json.Int(report.GetPageCount());
    json.Key("fonts");
    json.BeginArray();
    for (int font = 0; font < CEasyReport::kFontCount; ++font) {
        const ReportFontMetrics metrics = report.GetFontMetrics(font);
        json.BeginObject();
        json.Key("aveCharWidth");
        json.Int(metrics.aveCharWidth);
        json.Key("lineHeight");
        json.Int(metrics.lineHeight);
        json.EndObject();
    }
    json.EndArray();
    json.Key("pages");
    json.BeginArray();
    for (int page = 0; page < report.GetPageCount(); ++page) {
        json.BeginArray();
        for (const auto& element : report.PageElements(page))
            WriteElement(json, *element, page, report.GetPageCount());
        json.EndArray();
    }
    json.EndArray();
    json.EndObject();
    return json.Text();
}
