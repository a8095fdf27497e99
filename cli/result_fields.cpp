#include "result_fields.h"

#include "number_format.h"

std::vector<ShownResult> ShownResults(const SpringDesign &s) {
    return {
        {"FreeHeight", "自由高度", "mm", FormatOneDecimal(s.FreeHeight)},
        {"WorkingHeight1", "工作高度H1", "mm", FormatOneDecimal(s.WorkingHeight1)},
        {"WorkingHeight2", "工作高度H2", "mm", FormatOneDecimal(s.WorkingHeight2)},
        {"WorkingHeight3", "工作高度H3", "mm", FormatOneDecimal(s.WorkingHeight3)},
        {"WorkingLoad1", "工作载荷F1", "N", FormatThreeDecimals(s.WorkingLoad1)},
        {"WorkingLoad2", "工作载荷F2", "N", FormatThreeDecimals(s.WorkingLoad2)},
        {"WorkingLoad3", "最大工作载荷F3", "N", FormatThreeDecimals(s.WorkingLoad3)},
        {"SpringIndex", "旋绕比", "", FormatThreeDecimals(s.SpringIndex)},
        {"CurvatureFactor", "曲度系数", "", FormatThreeDecimals(s.CurvatureFactor)},
        {"SpringRate", "刚度", "N/mm", FormatThreeDecimals(s.SpringRate)},
        {"Pitch", "节距", "mm", FormatThreeDecimals(s.Pitch)},
        {"DevelopedLength", "展开长度", "mm", FormatOneDecimal(s.DevelopedLength)},
        {"SlendernessRatio", "高径比", "", FormatThreeDecimals(s.SlendernessRatio)},
        {"SolidHeight", "压并高度", "mm", FormatOneDecimal(s.SolidHeight)},
        {"MaxShearStress", "最大切应力", "MPa", FormatThreeDecimals(s.MaxShearStress)},
        {"HelixAngle", "螺旋角", "°", FormatThreeDecimals(s.HelixAngle)},
    };
}
