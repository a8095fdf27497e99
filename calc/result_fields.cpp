#include "result_fields.h"

#include "number_format.h"

#include <array>

namespace {

using D = SpringDesign;
constexpr auto kOne = ResultPattern::OneDecimal;
constexpr auto kThree = ResultPattern::ThreeDecimals;

constexpr std::array<ResultField, 16> kResults = {{
    {"Text13", "FreeHeight", &D::FreeHeight, kOne, "自由高度", "mm"},
    {"Text9", "WorkingHeight1", &D::WorkingHeight1, kOne, "工作高度H1", "mm"},
    {"Text8", "WorkingHeight2", &D::WorkingHeight2, kOne, "工作高度H2", "mm"},
    {"Text7", "WorkingHeight3", &D::WorkingHeight3, kOne, "工作高度H3", "mm"},
    {"Text12", "WorkingLoad1", &D::WorkingLoad1, kThree, "工作载荷F1", "N"},
    {"Text11", "WorkingLoad2", &D::WorkingLoad2, kThree, "工作载荷F2", "N"},
    {"Text10", "WorkingLoad3", &D::WorkingLoad3, kThree, "最大工作载荷F3", "N"},
    {"Text16", "SpringIndex", &D::SpringIndex, kThree, "旋绕比", ""},
    {"Text15", "CurvatureFactor", &D::CurvatureFactor, kThree, "曲度系数", ""},
    {"Text14", "SpringRate", &D::SpringRate, kThree, "刚度", "N/mm"},
    {"Text18", "Pitch", &D::Pitch, kThree, "节距", "mm"},
    {"Text22", "DevelopedLength", &D::DevelopedLength, kOne, "展开长度", "mm"},
    {"Text21", "SlendernessRatio", &D::SlendernessRatio, kThree, "高径比", ""},
    {"Text17", "SolidHeight", &D::SolidHeight, kOne, "压并高度", "mm"},
    {"Text20", "MaxShearStress", &D::MaxShearStress, kThree, "最大切应力", "MPa"},
    {"Text23", "HelixAngle", &D::HelixAngle, kThree, "螺旋角", "°"},
}};

} // namespace

std::span<const ResultField> ResultFields() {
    return kResults;
}

std::string FormatResult(const ResultField &field, const SpringDesign &design,
                         std::string_view decimalSeparator) {
    const float value = design.*field.quantity;
    return field.pattern == ResultPattern::OneDecimal
               ? FormatOneDecimal(value, decimalSeparator)
               : FormatThreeDecimals(value, decimalSeparator);
}
