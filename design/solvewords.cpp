#include "design/solvewords.h"

#include <QStringList>

namespace vt::design {

using evaluation::Method;

namespace {

struct Words {
    QString what;   // "pillar width"
    QString answer; // "Smallest pillar width"
    QString every;  // "every pillar width"
    QString end;    // "the smallest width searched"
    QString beyond; // "every wider one"
};

Words WordsOf(Question question, bool table) {
    switch (question) {
    case Question::SmallestWidth:
        return {QStringLiteral("pillar width"), QStringLiteral("Smallest pillar width"),
                QStringLiteral("every pillar width"),
                table ? QStringLiteral("the table's smallest width on the grid")
                      : QStringLiteral("the smallest width searched"),
                QStringLiteral("every wider one")};
    case Question::GreatestDepth:
        return {QStringLiteral("depth"), QStringLiteral("Greatest depth"),
                QStringLiteral("every depth"),
                table ? QStringLiteral("the table's greatest depth")
                      : QStringLiteral("the greatest depth searched; deeper was not tried"),
                QStringLiteral("every shallower one")};
    case Question::WidestBords:
        return {QStringLiteral("bord width"), QStringLiteral("Widest bords"),
                QStringLiteral("every bord width"), QStringLiteral("the widest bord searched"),
                QStringLiteral("every narrower one")};
    }
    return {};
}

Words WordsOf(const Answer& a, const BaseDesign& base) {
    return WordsOf(a.question, base.texts.method == Method::Interpolation);
}

// "6.3 m", "6.3 m (length 8.4 m)", "14 m and 18.67 m".
QString ValueText(const Question question, const Trial& trial) {
    const evaluation::DesignTexts& t = trial.texts;
    switch (question) {
    case Question::SmallestWidth:
        if (t.length != t.width && t.method != Method::Interpolation)
            return QStringLiteral("%1 m (length %2 m)").arg(t.width, t.length);
        return QStringLiteral("%1 m").arg(t.width);
    case Question::GreatestDepth:
        return QStringLiteral("%1 m").arg(t.depth);
    case Question::WidestBords:
        if (t.bord1 != t.bord2)
            return QStringLiteral("%1 m and %2 m").arg(t.bord1, t.bord2);
        return QStringLiteral("%1 m").arg(t.bord1);
    }
    return {};
}

QString ShownAt(const Trial& trial) {
    return QStringLiteral("FOS %1 and W:H %2")
        .arg(trial.shown.factorOfSafety, trial.shown.widthHeightRatio);
}

// Why a value fails: "FOS 1.5 and W:H 3: the FOS below 1.6", "no result: ...".
QString WhyItFails(const Trial& trial, const SolveSettings& s,
                   const evaluation::NumberLocale& locale) {
    const evaluation::Evaluation& e = trial.shown;
    if (!e.complete())
        return QStringLiteral("no result: %1").arg(e.refusal ? e.refusal->message : QString());
    // A value just below its limit shows as the limit, rounded.
    const auto below = [&](const QString& what, const QString& shown, float limit,
                           const QString& limitText) {
        QString text = QStringLiteral("the %1 below %2").arg(what, limitText);
        if (shown == evaluation::ShowResult(limit, 1, locale))
            text += QStringLiteral(" (shown rounded)");
        return text;
    };
    QStringList why;
    if (e.factorOfSafetyValue < s.target)
        why << below(QStringLiteral("FOS"), e.factorOfSafety, s.target, s.targetText);
    if (e.widthHeightRatioValue < s.minimumRatio)
        why << below(QStringLiteral("W:H"), e.widthHeightRatio, s.minimumRatio, s.ratioText);
    return QStringLiteral("%1: %2").arg(ShownAt(trial), why.join(QStringLiteral(" and ")));
}

// "from 0.1 m to 100 m"; on the interpolation screen the range is the table's.
QString SpanText(const GridRange& range, Question question, const BaseDesign& base) {
    const QString span = QStringLiteral("from %1 m to %2 m")
                             .arg(range.from.text(base.locale), range.to.text(base.locale));
    if (base.texts.method != Method::Interpolation)
        return span;
    return QStringLiteral("within the table's %1 (%2)")
        .arg(question == Question::SmallestWidth ? QStringLiteral("widths")
                                                 : QStringLiteral("depths"),
             span);
}

// "10.2 m" or "10.2–10.3 m", the smaller value first.
QString StretchText(const std::pair<Decimal, Decimal>& s, const evaluation::NumberLocale& locale) {
    const Decimal& lo = s.second < s.first ? s.second : s.first;
    const Decimal& hi = s.second < s.first ? s.first : s.second;
    if (lo == hi)
        return QStringLiteral("%1 m").arg(lo.text(locale));
    return QStringLiteral("%1\u2013%2 m").arg(lo.text(locale), hi.text(locale));
}

bool Single(const std::pair<Decimal, Decimal>& s) {
    return s.first == s.second;
}

} // namespace

Trial TrialAt(const Variation& v, const GridRange& range, std::int64_t k) {
    const Decimal value = range.at(k);
    return {value, v.textsAt(value), v.shownAt(value)};
}

QString CutOffText(const CutOffPasses& cut, bool answered, const evaluation::NumberLocale& locale) {
    QString text =
        QStringLiteral("%1 %2%3, but %4 %5")
            .arg(StretchText(cut.passing, locale),
                 Single(cut.passing) ? QStringLiteral("passes") : QStringLiteral("pass"),
                 answered ? QStringLiteral(" too") : QString(), StretchText(cut.failing, locale),
                 Single(cut.failing) ? QStringLiteral("does not") : QStringLiteral("do not"));
    if (cut.moreFailBetween) {
        const Decimal& a = cut.moreFailBetween->first;
        const Decimal& b = cut.moreFailBetween->second;
        text += QStringLiteral(", and some values between %1 m and %2 m fail as well")
                    .arg((b < a ? b : a).text(locale), (b < a ? a : b).text(locale));
    }
    return text;
}

QString DescribeFound(const Answer& a, const SolveSettings& s, const BaseDesign& base) {
    const Words w = WordsOf(a, base);
    QString text = QStringLiteral("%1: %2\nThere the screen shows %3.")
                       .arg(w.answer, ValueText(a.question, *a.answer), ShownAt(*a.answer));
    if (a.neighbour)
        text +=
            QStringLiteral("\nAt %1: %2.")
                .arg(ValueText(a.question, *a.neighbour), WhyItFails(*a.neighbour, s, base.locale));
    else
        text += QStringLiteral("\n%1 is %2.").arg(ValueText(a.question, *a.answer), w.end);
    if (a.alsoPasses)
        text += QStringLiteral("\n%1.").arg(CutOffText(*a.alsoPasses, true, base.locale));
    return text;
}

QString DescribeCutOffOnly(const Answer& a, const Trial& end, const GridRange& range,
                           const SolveSettings& s, const BaseDesign& base) {
    const Words w = WordsOf(a, base);
    QString text = QStringLiteral("No %1 %2 passes together with %3: at %4, %5.")
                       .arg(w.what, SpanText(range, a.question, base), w.beyond,
                            ValueText(a.question, end), WhyItFails(end, s, base.locale));
    if (a.alsoPasses)
        text += QStringLiteral("\n%1.").arg(CutOffText(*a.alsoPasses, false, base.locale));
    return text;
}

QString DescribeNone(const Answer& a, const Peak& peak, const Variation& v, const GridRange& r,
                     const SolveSettings& s) {
    const BaseDesign& base = v.base();
    const Words w = WordsOf(a, base);
    const QString span = SpanText(r, a.question, base);
    if (!peak.anyResult) {
        const Trial refused = TrialAt(v, r, peak.firstRefused.value_or(0));
        return QStringLiteral("No %1 %2 gives a result: %3")
            .arg(w.what, span, refused.shown.refusal ? refused.shown.refusal->message : QString());
    }
    if (!peak.best) {
        const Trial widest = TrialAt(v, r, peak.widest->k);
        if (a.question == Question::SmallestWidth)
            return QStringLiteral("The W:H stays below %1 for %2 %3 (W:H %4 at %5)")
                .arg(s.ratioText, w.every, span, widest.shown.widthHeightRatio,
                     ValueText(a.question, widest));
        return QStringLiteral("The W:H is %1 at %2: below the minimum %3")
            .arg(widest.shown.widthHeightRatio, w.every, s.ratioText);
    }
    const Trial best = TrialAt(v, r, peak.best->k);
    QString text = QStringLiteral("No %1 %2 reaches FOS %3: the FOS peaks at %4 (at %5)")
                       .arg(w.what, span, s.targetText, best.shown.factorOfSafety,
                            ValueText(a.question, best));
    if (best.shown.factorOfSafety == evaluation::ShowResult(s.target, 1, base.locale))
        text +=
            QStringLiteral(", which the screen shows rounded: it is below %1").arg(s.targetText);
    return text;
}

} // namespace vt::design
