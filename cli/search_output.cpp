#include "search_output.h"

#include "number_format.h"
#include "outcome_json.h"
#include "search_json.h"

#include <charconv>
#include <cstdio>
#include <ostream>

namespace {

std::string ShellQuoted(const std::string &arg) {
    const bool plain = arg.find_first_not_of("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz"
                                             "0123456789_./=,:+-") == std::string::npos;
    if (plain && !arg.empty()) {
        return arg;
    }
    std::string quoted = "'";
    for (char c : arg) {
        quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
    }
    return quoted + "'";
}

bool IsExtension(const SearchRequest &r) {
    return r.typeSign == kExtensionSpring;
}

std::string Grams(const EvaluatedDesign &e) {
    return e.mass ? FormatOneDecimal(static_cast<float>(*e.mass)) : "";
}

std::string Verdicts(const EvaluatedDesign &e) {
    std::string text;
    for (const CheckResult &check : e.checks) {
        text += (text.empty() ? "" : ", ") + check.id + " " + CheckVerdictName(check.verdict);
    }
    return text;
}

std::string Reasons(const EvaluatedDesign &e) {
    std::string text;
    for (const MissReason &reason : e.misses) {
        text += (text.empty() ? "" : "; ") + MissReasonText(reason);
    }
    return text;
}

void WriteTextDesign(std::size_t rank, const EvaluatedDesign &e, const SearchRequest &r,
                     std::ostream &out) {
    const SpringDesign &s = e.design;
    out << rank << ". d " << FormatGeneral(s.WireDiameter) << " mm  D "
        << FormatGeneral(s.MeanDiameter) << " mm  n " << FormatGeneral(s.ActiveCoils) << "  n1 "
        << FormatGeneral(s.TotalCoils) << "  H0 " << FormatOneDecimal(s.FreeHeight) << " mm";
    if (IsExtension(r)) {
        out << "  t " << FormatThreeDecimals(s.Pitch) << " mm  F0 "
            << FormatOneDecimal(s.InitialTension) << " N";
    }
    out << "\n   F1 " << FormatThreeDecimals(s.WorkingLoad1) << " N @ "
        << FormatOneDecimal(s.WorkingHeight1) << " mm  F2 " << FormatThreeDecimals(s.WorkingLoad2)
        << " N @ " << FormatOneDecimal(s.WorkingHeight2) << " mm";
    if (r.third) {
        out << "  F3 " << FormatThreeDecimals(s.WorkingLoad3) << " N @ "
            << FormatOneDecimal(s.WorkingHeight3) << " mm";
    }
    if (e.stressComputed) {
        out << "\n   τ " << FormatThreeDecimals(s.MaxShearStress) << " MPa";
    } else {
        out << "\n   τ 未算出 (计算在此之前停止)";
    }
    if (e.mass) {
        out << "  质量 " << Grams(e) << " g";
    }
    out << '\n';
    if (!e.checks.empty()) {
        out << "   校核: " << Verdicts(e) << '\n';
    }
    if (!e.misses.empty()) {
        out << "   未合格: " << Reasons(e) << '\n';
    }
    out << "   " << ReproducingCommandLine(e, r) << '\n';
}

void WriteTsv(const SearchOutcome &outcome, const SearchRequest &r, std::ostream &out) {
    out << "rank\tstatus\td\tD\tn\tn1\tH0\tt\tF0\tF1\tF2\tF3\ttau\tmass\tchecks\treasons\tcommand"
           "\n";
    const bool qualified = !outcome.best.empty();
    const auto &designs = qualified ? outcome.best : outcome.nearestMisses;
    for (std::size_t i = 0; i < designs.size(); ++i) {
        const EvaluatedDesign &e = designs[i];
        const SpringDesign &s = e.design;
        out << i + 1 << '\t' << (qualified ? "qualified" : "miss") << '\t'
            << FormatGeneral(s.WireDiameter) << '\t' << FormatGeneral(s.MeanDiameter) << '\t'
            << FormatGeneral(s.ActiveCoils) << '\t' << FormatGeneral(s.TotalCoils) << '\t'
            << FormatOneDecimal(s.FreeHeight) << '\t'
            << (IsExtension(r) ? FormatThreeDecimals(s.Pitch) : "") << '\t'
            << (IsExtension(r) ? FormatOneDecimal(s.InitialTension) : "") << '\t'
            << FormatThreeDecimals(s.WorkingLoad1) << '\t' << FormatThreeDecimals(s.WorkingLoad2)
            << '\t' << FormatThreeDecimals(s.WorkingLoad3) << '\t'
            << (e.stressComputed ? FormatThreeDecimals(s.MaxShearStress) : "") << '\t' << Grams(e)
            << '\t' << Verdicts(e) << '\t' << Reasons(e) << '\t' << ReproducingCommandLine(e, r)
            << '\n';
    }
}

} // namespace

std::string ReproducingCommandLine(const EvaluatedDesign &design, const SearchRequest &request) {
    std::string line = "orsela-cli";
    for (const std::string &arg : ReproducingArguments(design, request)) {
        line += ' ' + ShellQuoted(arg);
    }
    return line;
}

std::string SearchSummary(const SearchOutcome &outcome) {
    char seconds[32];
    std::snprintf(seconds, sizeof seconds, "%.3f", outcome.seconds);
    return "候选 " + std::to_string(outcome.candidates) + " 个, 计算 " +
           std::to_string(outcome.calculated) + " 个, 合格 " + std::to_string(outcome.qualified) +
           " 个, 用时 " + seconds + " s (" + std::to_string(outcome.threads) + " 线程)";
}

void WriteSearchOutcome(const SearchOutcome &outcome, const SearchRequest &request,
                        SearchFormat format, std::ostream &out) {
    if (format == SearchFormat::Tsv) {
        WriteTsv(outcome, request, out);
        return;
    }
    if (format == SearchFormat::Json) {
        out << DumpJson(SearchOutcomeJson(outcome, request), 2) << '\n';
        return;
    }
    if (outcome.best.empty()) {
        out << "没有合格的设计。最接近的设计:\n";
    }
    const auto &designs = outcome.best.empty() ? outcome.nearestMisses : outcome.best;
    for (std::size_t i = 0; i < designs.size(); ++i) {
        WriteTextDesign(i + 1, designs[i], request, out);
    }
    out << SearchSummary(outcome) << '\n';
}
