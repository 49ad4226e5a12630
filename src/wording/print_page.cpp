#include "print_page.h"

#include "text/number_text.h"
#include "translatable.h"
#include "wording/captions.h"
#include "wording/messages.h"

namespace quorlin {

namespace {

std::string pointsText(std::int32_t count, std::size_t leftOut)
{
    std::string text = std::to_string(count) + (count == 1 ? " point" : " points");
    if (leftOut != 0) text += ", " + std::to_string(leftOut) + QUORLIN_TRANSLATE_NOOP("Printing", " left out");
    return text;
}

}  // namespace

std::vector<std::string> printedLines(const Session& session, const ReportContext& context)
{
    const Calibration& calibration = session.calibration();
    const CalibrationRecord* record = calibration.record().get();
    const std::array<std::string, 2>& constants = record ? record->input->constantTexts : calibration.constantTexts();
    const Captions c = parameterCaptions(session);

    std::vector<std::string> lines;
    if (calibration.outOfDate()) lines.push_back(changedSinceText(*record));
    lines.push_back(fileCaption(record ? record->file : calibration.file()));
    lines.push_back(QUORLIN_TRANSLATE_NOOP("Printing", "Acid concentration ") + std::string(trimSpaces(constants[0]))
                    + QUORLIN_TRANSLATE_NOOP("Printing", " mol/L   Initial volume ")
                    + std::string(trimSpaces(constants[1])) + " ml");
    lines.push_back("Ezero   " + c.parameter[kEzero]);
    lines.push_back("Slope   " + c.parameter[kSlope]);
    lines.push_back("j corr   " + c.parameter[kJcorr]);
    lines.push_back(c.rmsError);
    lines.push_back(record ? pointsText(record->allPoints().count, record->leftOut().size())
                           : pointsText(calibration.count(), 0));
    if (const std::string note = calibrationDataEndNote(session); !note.empty()) lines.push_back(note);
    lines.push_back(QUORLIN_TRANSLATE_NOOP("Printing", "Printed ") + context.dateTime + " by Quorlin "
                    + context.version);
    return lines;
}

}  // namespace quorlin
