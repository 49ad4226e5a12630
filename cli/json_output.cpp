#include "json_output.h"

#include <charconv>
#include <cmath>
#include <cstdio>

namespace quorlin::cli {

namespace {

void appendString(std::string& out, std::string_view text)
{
    out += '"';
    for (const char c : text) {
        if (c == '"' || c == '\\') {
            out += '\\';
            out += c;
        } else if (static_cast<unsigned char>(c) < 0x20) {
            char escaped[8];
            std::snprintf(escaped, sizeof escaped, "\\u%04x", static_cast<unsigned>(c));
            out += escaped;
        } else {
            out += c;
        }
    }
    out += '"';
}

// JSON has no infinities or NaN; they become null.
template <typename T>
void appendNumber(std::string& out, T value)
{
    if (!std::isfinite(value)) {
        out += "null";
        return;
    }
    char digits[64];
    const auto result = std::to_chars(digits, digits + sizeof digits, value);
    out.append(digits, result.ptr);
}

void appendNumber(std::string& out, Number value)
{
    if (value.isSingle())
        appendNumber(out, static_cast<float>(value.value()));
    else
        appendNumber(out, value.value());
}

void appendKey(std::string& out, std::string_view key)
{
    if (out.back() != '{') out += ',';
    appendString(out, key);
    out += ':';
}

void appendPoints(std::string& out, std::string_view key, const PointArray& values, std::int32_t count)
{
    appendKey(out, key);
    out += '[';
    for (std::int32_t i = 1; i <= count; ++i) {
        if (i > 1) out += ',';
        appendNumber(out, pointOr0(values, i));
    }
    out += ']';
}

}  // namespace

std::string calibrationJson(const Workspace& ws, const Captions& captions, const Calibration& calibration,
                            const AdjustmentResult* adjustment)
{
    const bool converged = calibration.outcome == Outcome::Converged;
    std::string out = "{";
    appendKey(out, "outcome");
    appendString(out, outcomeName(calibration.outcome));
    appendKey(out, "message");
    appendString(out, calibration.message);
    appendKey(out, "points");
    appendNumber(out, static_cast<double>(ws.CalCount));

    if (converged) {
        const char* names[] = {"ezero", "slope", "jcorr"};
        for (std::size_t k = 1; k <= 3; ++k) {
            appendKey(out, names[k - 1]);
            appendNumber(out, ws.Params[k]);
        }
        appendKey(out, "rms");
        appendNumber(out, ws.RmsError);
        appendKey(out, "sigma");
        out += '[';
        const auto sigmas = ParameterSigmas(ws);
        for (std::size_t k = 0; k < sigmas.size(); ++k) {
            if (k > 0) out += ',';
            appendNumber(out, sigmas[k]);
        }
        out += ']';
    }

    appendKey(out, "captions");
    out += '{';
    appendKey(out, "ezero");
    appendString(out, captions.Parameter[1]);
    appendKey(out, "slope");
    appendString(out, captions.Parameter[2]);
    appendKey(out, "jcorr");
    appendString(out, captions.Parameter[3]);
    appendKey(out, "rms");
    appendString(out, captions.rmserror);
    out += '}';

    if (converged) {
        appendPoints(out, "pH", ws.CalPH, ws.CalCount);
        appendPoints(out, "residuals", ws.CalResidual, ws.CalCount);
    }

    if (adjustment) {
        appendKey(out, "adjusted");
        out += '[';
        for (std::size_t i = 0; i < adjustment->adjusted.size(); ++i) {
            if (i > 0) out += ',';
            appendString(out, adjustment->adjusted[i]);
        }
        out += ']';
        if (adjustment->failedPoint != 0) {
            appendKey(out, "adjustmentStoppedAt");
            appendNumber(out, static_cast<double>(adjustment->failedPoint));
        }
    }
    out += "}\n";
    return out;
}

}  // namespace quorlin::cli
