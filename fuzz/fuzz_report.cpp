// The report of any record and any material text: every line ends in CR LF,
// and the GBK encoder either gives bytes that read back as the same text or
// names the character it could not encode. It never fails silently.
#include "fuzz_check.h"
#include "gbk_converter.h"
#include "report_text.h"

#include <QString>
#include <QStringDecoder>

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstring>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size) {
    constexpr std::size_t kFloats = 23;
    if (size < 1 + kFloats * sizeof(float)) {
        return 0;
    }
    float values[kFloats];
    std::memcpy(values, data + 1, sizeof values);
    ReportInput input;
    SpringDesign &s = input.design;
    float *fields[kFloats] = {
        &s.HelixAngle,       &s.WireDiameter,   &s.MeanDiameter,        &s.SpringIndex,
        &s.CurvatureFactor,  &s.ShearModulus,   &s.SpringRate,          &s.ActiveCoils,
        &s.TotalCoils,       &s.Pitch,          &s.DevelopedLength,     &s.FreeHeight,
        &s.SolidHeight,      &s.WorkingHeight1, &s.WorkingHeight2,      &s.WorkingHeight3,
        &s.WorkingLoad1,     &s.WorkingLoad2,   &s.WorkingLoad3,        &s.InitialTension,
        &s.SlendernessRatio, &s.MaxShearStress, &s.AllowableShearStress};
    for (std::size_t i = 0; i < kFloats; ++i) {
        if (!std::isfinite(values[i])) {
            return 0; // the design never holds these
        }
        *fields[i] = values[i];
    }
    const std::size_t used = 1 + sizeof values;
    s.Material.assign(reinterpret_cast<const char *>(data + used), size - used);
    input.typeSign = (data[0] & 1) != 0 ? kExtensionSpring : kCompressionSpring;
    input.typeName = input.typeSign == kExtensionSpring ? "拉伸弹簧" : "压缩弹簧";
    input.reportDate = "2005年06月01日";

    const std::string text = BuildReportText(input, (data[0] & 2) != 0 ? "," : ".");
    FUZZ_CHECK(text.size() >= 2 && text.ends_with("\r\n"));
    if (s.Material.find_first_of("\r\n") == std::string::npos) {
        for (std::size_t i = 0; i < text.size(); ++i) {
            if (text[i] == '\n') {
                FUZZ_CHECK(i > 0 && text[i - 1] == '\r');
            }
        }
    }

    const GbkText gbk = EncodeGbk(text);
    if (gbk.ok) {
        QStringDecoder decoder("GBK");
        const QString back = decoder.decode(QByteArray::fromStdString(gbk.bytes));
        FUZZ_CHECK(!decoder.hasError());
        FUZZ_CHECK(back == QString::fromStdString(text));
    } else {
        FUZZ_CHECK(gbk.unencodable.has_value());
    }
    return 0;
}
