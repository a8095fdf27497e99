#include "report_text.h"

#include "number_format.h"
#include "report_line_writer.h"

namespace {

// The right-hand half of an item row: label, value and, for some items, the
// unit, each at its own tab column.
struct RightItem {
    int labelTab;
    const char *label;
    int valueTab;
    std::string value;
    int unitTab = 0; // 0: the item has no unit
    const char *unit = "";
};

void WriteRight(ReportLineWriter &out, const RightItem &item) {
    out.Tab(item.labelTab).Text(item.label).Tab(item.valueTab).Text(item.value);
    if (item.unitTab != 0) {
        out.Tab(item.unitTab).Text(item.unit);
    }
    out.EndLine();
}

} // namespace

const char *SpringTypeNameFor(SpringTypeSign typeSign) {
    return typeSign == kExtensionSpring ? "拉伸弹簧" : "压缩弹簧";
}

std::string BuildReportText(const ReportInput &input, std::string_view decimalSeparator) {
    const SpringDesign &d = input.design;
    const auto one = [&](float v) { return FormatOneDecimal(v, decimalSeparator); };
    const auto three = [&](float v) { return FormatThreeDecimals(v, decimalSeparator); };

    ReportLineWriter out(decimalSeparator);
    out.Text("-----Orsela结果-----").Text(input.reportDate).EndLine();
    out.EndLine();
    out.Text("(一) 弹簧参数和计算结果").EndLine();

    // Left item k and right item k + 12 share a row. The tab columns line the
    // values up at display column 17 and the right labels at 35 when CJK
    // characters are shown two columns wide.
    out.Text(" 1 弹簧类型").Tab(13).Text(input.typeName);
    WriteRight(out, {27, "13 自由高度", 43, one(d.FreeHeight)});
    out.Text(" 2 弹簧材料").Tab(13).Text(d.Material);
    WriteRight(out, {31, "14 工作高度H1", 46, one(d.WorkingHeight1)});
    out.Text(" 3 切变模量").Tab(12).General(d.ShearModulus).Tab(22).Text("MPa");
    WriteRight(out, {31, "15 工作载荷F1", 46, three(d.WorkingLoad1), 57, "N"});
    out.Text(" 4 材料直径").Tab(12).General(d.WireDiameter);
    WriteRight(out, {31, "16 工作高度H2", 46, one(d.WorkingHeight2)});
    out.Text(" 5 弹簧中径").Tab(12).General(d.MeanDiameter);
    WriteRight(out, {31, "17 工作载荷F2", 46, three(d.WorkingLoad2), 57, "N"});
    out.Text(" 6 有效圈数").Tab(12).General(d.ActiveCoils);
    WriteRight(out, {31, "18 工作高度H3", 46, one(d.WorkingHeight3)});
    out.Text(" 7 总圈数").Tab(13).General(d.TotalCoils);
    WriteRight(out, {32, "19 最大工作载荷F3", 45, three(d.WorkingLoad3), 56, "N"});
    out.Text(" 8 节距").Tab(15).Text(three(d.Pitch));
    WriteRight(out, {33, "20 最大切应力", 48, three(d.MaxShearStress), 59, "MPa"});
    out.Text(" 9 旋绕比").Tab(14).Text(three(d.SpringIndex));
    WriteRight(out, {32, "21 许用切应力", 47, three(d.AllowableShearStress), 58, "MPa"});
    out.Text("10 高径比").Tab(14).Text(three(d.SlendernessRatio));
    WriteRight(out, {32, "22 压并高度", 48, one(d.SolidHeight)});
    out.Text("11 曲度系数").Tab(13).Text(three(d.CurvatureFactor));
    WriteRight(out, {31, "23 展开长度", 47, one(d.DevelopedLength)});
    out.Text("12 刚度").Tab(15).Text(three(d.SpringRate));
    WriteRight(out, {33, "24 螺旋角", 50, three(d.HelixAngle)});
    if (input.typeSign == kExtensionSpring) {
        WriteRight(out, {35, "25 拉伸弹簧初拉力", 48, three(d.InitialTension), 58, "N"});
    }

    out.EndLine();
    out.Text("(二) 参考资料: 《机械设计手册》(第2版,第3卷) 机械工业出版社 2000").EndLine();
    out.EndLine();
    out.Text("----------结束----------").EndLine();
    return out.Written();
}
