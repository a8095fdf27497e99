#include "report_test_support.h"

#include <fstream>
#include <iconv.h>
#include <iterator>
#include <sstream>
#include <stdexcept>

SpringDesign CalculatedSampleDesign() {
    SpringDesign d = SampleDesign();
    d.WorkingLoad1 = 92.1283F;
    d.WorkingLoad2 = 184.2566F;
    d.WorkingLoad3 = 368.5132F;
    d.Pitch = 8;
    d.SpringIndex = 7;
    d.SlendernessRatio = 1.5714F;
    d.CurvatureFactor = 1.2129F;
    d.SpringRate = 23.0321F;
    d.MaxShearStress = 497.9443F;
    d.SolidHeight = 26;
    d.DevelopedLength = 571.7699F;
    d.HelixAngle = 5.1973F;
    return d;
}

ReportInput SampleReportInput(std::string reportDate) {
    return {CalculatedSampleDesign(), kCompressionSpring, "压缩弹簧", std::move(reportDate)};
}

const char *const kSampleReportListing =
    R"(-----Orsela结果-----2005年06月01日

(一) 弹簧参数和计算结果
 1 弹簧类型     压缩弹簧          13 自由高度         44.0
 2 弹簧材料     70-C              14 工作高度H1      40.0
 3 切变模量     79000    MPa      15 工作载荷F1      92.128     N
 4 材料直径     4                 16 工作高度H2      36.0
 5 弹簧中径     28                17 工作载荷F2      184.257    N
 6 有效圈数     5                 18 工作高度H3      28.0
 7 总圈数       6.5               19 最大工作载荷F3  368.513    N
 8 节距         8.000             20 最大切应力       497.944    MPa
 9 旋绕比       7.000             21 许用切应力       660.000    MPa
10 高径比       1.571             22 压并高度         26.0
11 曲度系数     1.213             23 展开长度         571.8
12 刚度         23.032            24 螺旋角           5.197

(二) 参考资料: 《机械设计手册》(第2版,第3卷) 机械工业出版社 2000

----------结束----------
)";

std::string WithCrLf(std::string_view text) {
    std::string result;
    for (const char c : text) {
        if (c == '\n') {
            result.push_back('\r');
        }
        result.push_back(c);
    }
    return result;
}

std::vector<std::string> LinesOf(std::string_view crLfText) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (start < crLfText.size()) {
        const std::size_t end = crLfText.find("\r\n", start);
        if (end == std::string_view::npos) {
            throw std::runtime_error("text does not end with CR LF");
        }
        lines.emplace_back(crLfText.substr(start, end - start));
        start = end + 2;
    }
    return lines;
}

std::string GbkByIconv(std::string_view utf8) {
    iconv_t converter = iconv_open("GBK", "UTF-8");
    if (converter == reinterpret_cast<iconv_t>(-1)) {
        throw std::runtime_error("iconv has no GBK");
    }
    std::string input(utf8);
    std::string output(input.size() * 2 + 16, '\0');
    char *in = input.data();
    char *out = output.data();
    std::size_t inLeft = input.size();
    std::size_t outLeft = output.size();
    const std::size_t done = iconv(converter, &in, &inLeft, &out, &outLeft);
    iconv_close(converter);
    if (done == static_cast<std::size_t>(-1)) {
        throw std::runtime_error("iconv cannot convert the text to GBK");
    }
    output.resize(output.size() - outLeft);
    return output;
}

std::string ReadWholeFile(const std::string &path) {
    std::ifstream file(path, std::ios::binary);
    if (!file) {
        throw std::runtime_error("cannot read " + path);
    }
    return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

void WriteWholeFile(const std::string &path, std::string_view bytes) {
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    file.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    if (!file) {
        throw std::runtime_error("cannot write " + path);
    }
}
