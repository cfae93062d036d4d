#include "tests/soak/soakchecks.h"

#include "app/numbers.h"
#include "app/programstate.h"
#include "app/ui.h"
#include "engine/engine.h"
#include "evaluation/steps.h"
#include "results/core/interpolation.h"
#include "results/core/modellingfile.h"
#include "tests/support/fields.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QRegularExpression>
#include <QTextEdit>
#include <cstring>
#include <optional>

namespace vt::soak {

namespace {

// Texts that show a file's own contents, whatever they hold.
const QStringList kFileTexts = {QStringLiteral("txtMainShowData"),
                                QStringLiteral("txtFileOpenShowData")};

bool IsEditableInput(const QWidget* w) {
    if (const auto* box = qobject_cast<const QLineEdit*>(w)) {
        if (qobject_cast<const QComboBox*>(box->parentWidget()))
            return false; // judged with its combo
        return !box->isReadOnly();
    }
    if (const auto* combo = qobject_cast<const QComboBox*>(w))
        return combo->isEditable() && combo->lineEdit() && !combo->lineEdit()->isReadOnly();
    return false;
}

QString ShownText(const QWidget* w) {
    if (const auto* combo = qobject_cast<const QComboBox*>(w))
        return combo->currentText();
    if (const auto* box = qobject_cast<const QLineEdit*>(w))
        return box->text();
    if (const auto* label = qobject_cast<const QLabel*>(w))
        return label->text();
    if (const auto* area = qobject_cast<const QPlainTextEdit*>(w))
        return area->toPlainText();
    if (const auto* rich = qobject_cast<const QTextEdit*>(w))
        return rich->toPlainText();
    if (const auto* button = qobject_cast<const QAbstractButton*>(w))
        return button->text();
    return {};
}

bool SameBits(float a, float b) {
    return std::memcmp(&a, &b, sizeof a) == 0;
}

// Reads the screen's fields and compares its results with the engine's.
class ScreenAudit {
public:
    ScreenAudit(const CalculationScreen* screen, bool inUse)
        : s_(screen)
        , inUse_(inUse)
        , kind_(screen->objectName()) {}

    QStringList run() {
        checkMirrors();
        if (kind_ == QLatin1String("frmInterpolate"))
            checkInterpolation();
        else
            checkPlan();
        checkStrength();
        return problems_;
    }

private:
    QString text(const char* name) const { return test::FieldText(s_, QString::fromLatin1(name)); }
    std::optional<float> single(const char* name) const { return ReadSingle(text(name)); }
    std::optional<double> dbl(const char* name) const { return ReadDouble(text(name)); }

    void problem(const QString& what) { problems_ << kind_ + QStringLiteral(": ") + what; }

    // A present result must equal the expected text; none expected means the
    // result should not be there at all.
    void expectResult(const char* name, const std::optional<QString>& expected) {
        const QString shown = text(name);
        if (shown.isEmpty())
            return;
        if (!expected)
            problem(QStringLiteral("%1 shows \"%2\" but its inputs give no result")
                        .arg(QLatin1String(name), shown.left(60)));
        else if (*expected != shown)
            problem(QStringLiteral("%1 shows \"%2\", the inputs give \"%3\"")
                        .arg(QLatin1String(name), shown.left(60), *expected));
    }

    void expectColour(const char* name, const QColor& colour) {
        const QWidget* w = s_->findChild<QWidget*>(QString::fromLatin1(name));
        if (w && Background(w) != colour)
            problem(QStringLiteral("%1 has colour %2, expected %3")
                        .arg(QLatin1String(name), Background(w).name(), colour.name()));
    }

    void checkMirrors() {
        static const char* const pairs[][2] = {
            {"lblPercentageExtraction", "lblFRExtraction"},
            {"lblWHratio", "txtFRWHratio"},
            {"lblPillarStrength", "lblFRPillarStrength"},
            {"lblFOS", "lblFRFOS"},
            {"txtDepth", "txtFRDepth"},
            {"cboK", "txtFRK"},
            {"cboPillarHeight", "txtFRPillarHeight"},
            {"cboAlpha", "txtFRAlpha"},
            {"cboBeta", "txtFRBeta"},
            {"cboSquatPillarEffect", "txtFRSquatPillarEffect"},
            {"cboStrengthIncrease", "txtFRStrengthIncrease"},
            {"cboPillarLength", "txtFRPillarLength"},
        };
        for (const auto& pair : pairs)
            if (text(pair[0]) != text(pair[1]))
                problem(QStringLiteral("%1 \"%2\" differs from its copy %3 \"%4\"")
                            .arg(QLatin1String(pair[0]), text(pair[0]).left(60),
                                 QLatin1String(pair[1]), text(pair[1]).left(60)));
        const bool modelled = kind_ == QLatin1String("frmModelled");
        const bool interpolate = kind_ == QLatin1String("frmInterpolate");
        const char* stressSource = modelled ? "txtPillarStress" : "lblPillarStress";
        if (text(stressSource) != text("lblFRPillarStress"))
            problem(QStringLiteral("the stress copy \"%1\" differs from \"%2\"")
                        .arg(text("lblFRPillarStress").left(60), text(stressSource).left(60)));
        if (interpolate) {
            if (text("txtFRBordWidth") != QLatin1String("12") ||
                text("txtFRBordWidth2") != QLatin1String("12"))
                problem(QStringLiteral("the bord width copies are not 12"));
            return;
        }
        static const char* const plan[][2] = {
            {"cboPillarWidth1", "txtFRPillarWidth"},
            {"cboBordWidth", "txtFRBordWidth"},
            {"cboBordWidth2", "txtFRBordWidth2"},
        };
        for (const auto& pair : plan)
            if (text(pair[0]) != text(pair[1]))
                problem(QStringLiteral("%1 \"%2\" differs from its copy %3 \"%4\"")
                            .arg(QLatin1String(pair[0]), text(pair[0]).left(60),
                                 QLatin1String(pair[1]), text(pair[1]).left(60)));
    }

    // Tributary and modelled screens: extraction, stress, effective width.
    void checkPlan() {
        const auto w = single("cboPillarWidth1");
        const auto l = single("cboPillarLength");
        const auto b1 = single("cboBordWidth");
        const auto b2 = single("cboBordWidth2");
        std::optional<float> extraction;
        if (w && l && b1 && b2)
            if (const auto e = engine::CalculatePercentageExtraction(*w, *l, *b1, *b2))
                extraction = e.value();
        expectResult("lblPercentageExtraction",
                     extraction ? std::optional<QString>(ShowResult(*extraction, 1))
                                : std::nullopt);

        if (kind_ == QLatin1String("frmTributary")) {
            const auto density = single("cboRockDensity");
            const auto depth = single("txtDepth");
            if (extraction && density && depth)
                if (const auto s =
                        engine::CalculateTributaryPillarStress(*density, *depth, *extraction))
                    stress_ = s.value();
            expectResult("lblPillarStress",
                         stress_ ? std::optional<QString>(ShowResult(*stress_, 2)) : std::nullopt);
            if (text("lblPillarStress").isEmpty())
                stress_.reset();
        } else {
            // The typed stress is the one the FOS divides by, once the
            // extraction step has accepted it.
            if (!text("lblPercentageExtraction").isEmpty())
                stress_ = single("txtPillarStress");
            if (!text("lblPercentageExtraction").isEmpty() && (!stress_ || !single("txtDepth")))
                problem(QStringLiteral("an extraction is shown for a stress or depth that is "
                                       "not a number"));
        }
        if (inUse_ && stress_ && !SameBits(State().AveragePillarStress, *stress_))
            problem(QStringLiteral("AveragePillarStress %1 is not the shown stress %2")
                        .arg(State().AveragePillarStress)
                        .arg(*stress_));

        const auto wd = dbl("cboPillarWidth1");
        const auto ld = dbl("cboPillarLength");
        std::optional<QString> effective;
        if (wd && ld)
            if (const auto weff = engine::CalculateEffectivePillarWidth(*wd, *ld))
                effective = ShowResult(weff.value(), 1);
        expectResult("cboPillarWidth", effective);
    }

    // An interpolation input read as the screen reads it: the leading number,
    // or the header's own width for an item of the width list.
    double width(const char* name) const {
        return evaluation::InterpolationWidth(State().ModellingResults, text(name),
                                              evaluation::NumberLocale::Current());
    }
    double depth(const char* name) const {
        return evaluation::InterpolationDepth(text(name), evaluation::NumberLocale::Current());
    }

    void checkInterpolation() {
        const double W = width("cboPillarWidth1");
        const double L = width("cboPillarLength");
        const double D = depth("txtDepth");
        if (text("cboPillarLength") != text("cboPillarWidth1"))
            problem(QStringLiteral("the pillar length does not follow the width"));
        // A width that reads as 0 changes nothing but the length: the results
        // of the width before it stay.
        if (W == 0) {
            staleByDesign_ = true;
            return;
        }
        std::optional<QString> stressText;
        const auto outcome = results::InterpolatePillarStress(State().ModellingResults, W, D);
        if (outcome)
            stressText = ShowResult(*outcome.stress, 1);
        expectResult("lblPillarStress", stressText);
        if (!text("lblPillarStress").isEmpty()) {
            stress_ = single("lblPillarStress");
            if (inUse_ && stress_ && !SameBits(State().AveragePillarStress, *stress_))
                problem(QStringLiteral("AveragePillarStress %1 is not the shown stress %2")
                            .arg(State().AveragePillarStress)
                            .arg(*stress_));
        }
        const auto e = results::ExtractionForModelledBords(W, L);
        expectResult("lblPercentageExtraction",
                     e ? std::optional<QString>(ShowResult(*e, 1)) : std::nullopt);
        // The effective width is that of the number interpolated.
        std::optional<QString> effective;
        if (const auto weff = engine::CalculateEffectivePillarWidth(W, L))
            effective = ShowResult(weff.value(), 1);
        expectResult("cboPillarWidth", effective);
    }

    void checkStrength() {
        const QString wh = text("lblWHratio");
        const QString strength = text("lblPillarStrength");
        const QString fos = text("lblFOS");
        if (wh.isEmpty() && strength.isEmpty() && fos.isEmpty()) {
            expectColour("lblWHratio", kLightGrey);
            expectColour("txtFRWHratio", kWhite);
            expectColour("lblFOS", kLightGrey);
            expectColour("lblFRFOS", kLightGrey);
            return;
        }
        if (wh.isEmpty() || strength.isEmpty() || fos.isEmpty()) {
            problem(QStringLiteral("only some strength results are shown: \"%1\" \"%2\" \"%3\"")
                        .arg(wh, strength, fos));
            return;
        }
        if (staleByDesign_)
            return;
        const char* names[] = {
            "cboPillarWidth", "cboPillarLength", "cboPillarHeight",      "cboK",
            "cboAlpha",       "cboBeta",         "cboSquatPillarEffect", "cboStrengthIncrease"};
        float v[8];
        for (int i = 0; i < 8; ++i) {
            // The interpolation screen's length follows its width and is
            // read as the width is, by its leading number.
            const bool followingLength =
                i == 1 && kind_ == QLatin1String("frmInterpolate") && !text(names[i]).isEmpty();
            const auto value = followingLength
                                   ? ReadSingle(evaluation::ShowShortest(
                                         width(names[i]), evaluation::NumberLocale::Current()))
                                   : single(names[i]);
            if (!value) {
                problem(QStringLiteral("strength results shown while %1 \"%2\" is not a number")
                            .arg(QLatin1String(names[i]), text(names[i]).left(60)));
                return;
            }
            v[i] = *value;
        }
        const auto s =
            engine::CalculatePillarStrength({v[0], v[1], v[2], v[3], v[4], v[5], v[6], v[7]});
        if (!s) {
            problem(QStringLiteral("strength results shown for inputs without a strength"));
            return;
        }
        expectResult("lblWHratio", ShowResult(s.value().widthHeightRatio, 1));
        expectResult("lblPillarStrength", ShowResult(s.value().strength, 1));
        const QString sentence = QString::fromUtf8(engine::FormulaMessage(s.value().formula));
        if (text("txtFormula") != sentence)
            problem(QStringLiteral("txtFormula \"%1\" is not \"%2\"")
                        .arg(text("txtFormula"), sentence));
        const bool whRed = s.value().widthHeightTooSmall;
        expectColour("lblWHratio", whRed ? kWarningRed : kLightGrey);
        expectColour("txtFRWHratio", whRed ? kWarningRed : kWhite);
        if (!stress_) {
            problem(QStringLiteral("a FOS is shown without a stress it belongs to"));
            return;
        }
        const auto safety = engine::CalculateFactorOfSafety(s.value().strength, *stress_);
        if (!safety) {
            problem(QStringLiteral("a FOS is shown for a stress without one"));
            return;
        }
        expectResult("lblFOS", ShowResult(safety.value().factorOfSafety, 1));
        const QColor fosColour = safety.value().tooSmall ? kWarningRed : kLightGrey;
        expectColour("lblFOS", fosColour);
        expectColour("lblFRFOS", fosColour);
    }

    const CalculationScreen* s_;
    bool inUse_;
    QString kind_;
    std::optional<float> stress_; // the stress the FOS of this screen divides by
    bool staleByDesign_ = false;  // results kept for the width before this one
    QStringList problems_;
};

} // namespace

bool HasNonFiniteToken(const QString& text) {
    static const QRegularExpression token(
        QStringLiteral("(?<![A-Za-z0-9_])[-+]?(inf(inity)?|nan)(?![A-Za-z0-9_])"),
        QRegularExpression::CaseInsensitiveOption);
    return token.match(text).hasMatch();
}

QString WithoutQuotedTyped(const QString& text, const QSet<QString>& typed) {
    static const QRegularExpression quoted(QStringLiteral("\"([^\"]*)\""));
    QString rest = text;
    auto match = quoted.globalMatch(text);
    while (match.hasNext()) {
        const QRegularExpressionMatch m = match.next();
        if (typed.contains(m.captured(1)))
            rest.replace(m.captured(0), QString());
    }
    return rest;
}

QStringList NonFiniteTexts(const QWidget* window, const QSet<QString>& typed) {
    QStringList found;
    QList<const QWidget*> widgets{window};
    for (const QWidget* child : window->findChildren<QWidget*>())
        widgets << child;
    for (const QWidget* w : widgets) {
        if (!w->isVisible() || IsEditableInput(w) || kFileTexts.contains(w->objectName()))
            continue;
        const QString shown = ShownText(w);
        if (shown.isEmpty() || typed.contains(shown) ||
            !HasNonFiniteToken(WithoutQuotedTyped(shown, typed)))
            continue;
        found << QStringLiteral("%1/%2: \"%3\"")
                     .arg(window->objectName(), w->objectName(), shown.left(80));
    }
    if (HasNonFiniteToken(window->windowTitle()))
        found << window->objectName() + QStringLiteral(" title: ") + window->windowTitle();
    return found;
}

QStringList ResultDisagreements(const CalculationScreen* screen, bool inUse) {
    return ScreenAudit(screen, inUse).run();
}

} // namespace vt::soak
