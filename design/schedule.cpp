#include "design/schedule.h"

namespace vt::design {

using evaluation::Refusal;

evaluation::Step<std::vector<ScheduleRow>>
DepthSchedule(const BaseDesign& base, const GridRange& depths, const SolveSettings& settings) {
    const QString title = QStringLiteral("Solve for a target FOS");
    if (base.texts.method == evaluation::Method::Modelled)
        return Refusal{QStringLiteral("On the modelled-stress screen the stress is typed and does "
                                      "not follow the depth: make the schedule on the tributary "
                                      "or the interpolation screen"),
                       title};
    if (depths.count() > kMaxScheduleDepths)
        return Refusal{QStringLiteral("The schedule holds %1 depths; at most %2 are made: take a "
                                      "larger step")
                           .arg(depths.count())
                           .arg(kMaxScheduleDepths),
                       title};
    std::vector<ScheduleRow> rows;
    rows.reserve(static_cast<std::size_t>(std::max<std::int64_t>(depths.count(), 0)));
    for (std::int64_t i = 0; i < depths.count(); ++i) {
        ScheduleRow row;
        row.depth = depths.at(i);
        row.answer.question = Question::SmallestWidth;
        evaluation::DesignTexts texts = base.texts;
        texts.depth = row.depth.text(base.locale);
        const auto at = ReadDesign(texts, base.locale, base.table);
        if (at)
            row.answer = Solve(at.value(), Question::SmallestWidth, settings);
        else
            row.answer.text = at.refusal().message;
        rows.push_back(std::move(row));
    }
    return rows;
}

QString ScheduleCsv(const std::vector<ScheduleRow>& rows, const evaluation::NumberLocale& locale,
                    evaluation::CsvConvention convention) {
    const auto number = [&locale, convention](const QString& text) {
        return evaluation::CsvNumberText(text, locale, convention);
    };
    QString csv = CsvRow({QStringLiteral("Depth (m)"), QStringLiteral("Pillar width (m)"),
                          QStringLiteral("Pillar length (m)"), QStringLiteral("% Extraction"),
                          QStringLiteral("FOS"), QStringLiteral("W:H-ratio"),
                          QStringLiteral("No width because")},
                         convention);
    for (const ScheduleRow& row : rows) {
        const QString depth = number(row.depth.text(locale));
        if (const auto& a = row.answer.answer)
            csv += CsvRow({depth, number(a->texts.width), number(a->texts.length),
                           number(a->shown.extraction), number(a->shown.factorOfSafety),
                           number(a->shown.widthHeightRatio), QString()},
                          convention);
        else
            csv += CsvRow(
                {depth, QString(), QString(), QString(), QString(), QString(), row.answer.text},
                convention);
    }
    return csv;
}

} // namespace vt::design
