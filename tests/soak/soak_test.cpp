// The monkey soak: a seeded random walk of user actions through every window
// of the program, offscreen, with the checks of soakchecks.h after each one.
//
//   VT_SOAK_SEED     the seed (default 20240611)
//   VT_SOAK_ACTIONS  the number of actions (default 2 000; CI runs 20 000)
//
// A failure prints the seed and the last actions so that the run can be
// replayed with the same seed: windows are chosen in the order of their
// names and the timers tick only when the walk says so, so one seed always
// walks the same way.
#include "app/frmabout.h"
#include "app/programstate.h"
#include "app/sysinfo.h"
#include "design/frmdesigncharts.h"
#include "designreport/frmdesignreport.h"
#include "dialogs/frmfileopen.h"
#include "dialogs/frmprint.h"
#include "files/evaluationactions.h"
#include "probability/frmprobability.h"
#include "screens/calculationscreen.h"
#include "tests/soak/soakchecks.h"
#include "tests/support/fields.h"
#include "tests/support/programtest.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QAbstractSpinBox>
#include <QAction>
#include <QApplication>
#include <QBuffer>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPointer>
#include <QProcess>
#include <QStyle>
#include <QStyleOptionComboBox>
#include <QTabBar>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>
#include <QTimer>
#include <QTreeWidget>
#include <algorithm>
#include <deque>
#include <map>
#include <random>

namespace vt::test {
namespace {

const QStringList kScreens = {QStringLiteral("frmTributary"), QStringLiteral("frmModelled"),
                              QStringLiteral("frmInterpolate")};

// Text a user might type: numbers from the screens' lists, other plausible
// numbers, and hostile text.
class TextSource {
public:
    explicit TextSource(std::mt19937_64& rng)
        : rng_(rng) {}

    QString any() {
        const int kind = pick(100);
        if (kind < 45)
            return listValue();
        if (kind < 60)
            return plausibleNumber();
        if (kind < 97)
            return hostile();
        return longText();
    }

    QString listValue() {
        static const QStringList values = {
            QStringLiteral("1"),    QStringLiteral("2"),    QStringLiteral("3"),
            QStringLiteral("4"),    QStringLiteral("5"),    QStringLiteral("6"),
            QStringLiteral("7"),    QStringLiteral("8"),    QStringLiteral("9"),
            QStringLiteral("10"),   QStringLiteral("12"),   QStringLiteral("16"),
            QStringLiteral("20"),   QStringLiteral("2.5"),  QStringLiteral("2.7"),
            QStringLiteral("2.75"), QStringLiteral("3.0"),  QStringLiteral("3.3"),
            QStringLiteral("4.5"),  QStringLiteral("7.2"),  QStringLiteral("30"),
            QStringLiteral("50"),   QStringLiteral("100"),  QStringLiteral("0.5"),
            QStringLiteral("0.46"), QStringLiteral("0.75"), QStringLiteral("0.66"),
            QStringLiteral("5.0"),  QStringLiteral("500"),  QStringLiteral("300"),
            QStringLiteral("1000"), QStringLiteral("150"),  QStringLiteral("64.0985"),
        };
        return values[pick(values.size())];
    }

    QString plausibleNumber() {
        std::uniform_real_distribution<double> value(0.1, 1200.0);
        return QString::number(value(rng_), 'f', static_cast<int>(pick(3)));
    }

    QString hostile() {
        static const QStringList values = {
            QString(),
            QStringLiteral("-"),
            QStringLiteral("+"),
            QStringLiteral("."),
            QStringLiteral(","),
            QStringLiteral("1e400"),
            QStringLiteral("-1e400"),
            QStringLiteral("1e39"),
            QStringLiteral("3.4e38"),
            QStringLiteral("1e308"),
            QStringLiteral("1e-45"),
            QStringLiteral("1e-50"),
            QStringLiteral("NaN"),
            QStringLiteral("nan"),
            QStringLiteral("-nan"),
            QStringLiteral("inf"),
            QStringLiteral("-inf"),
            QStringLiteral("Infinity"),
            QStringLiteral("abc"),
            QStringLiteral("5a"),
            QStringLiteral("12abc"),
            QStringLiteral("1 000"),
            QStringLiteral("1.234,5"),
            QStringLiteral("12,5"),
            QStringLiteral("2,7"),
            QStringLiteral("0,5"),
            QStringLiteral("0"),
            QStringLiteral("-0"),
            QStringLiteral("0.0"),
            QStringLiteral("0.00001"),
            QStringLiteral("-5"),
            QStringLiteral("-12.5"),
            QStringLiteral("-100"),
            QStringLiteral("99999999"),
            QStringLiteral("1e30"),
            QStringLiteral("340282350000000000000000000000000000000"),
            QStringLiteral(" 7"),
            QStringLiteral("7 "),
            QStringLiteral("&H10"),
            QStringLiteral("1.5E3"),
            QStringLiteral("++1"),
            QStringLiteral("1..2"),
            QStringLiteral("0x10"),
            QStringLiteral("\t"),
            QStringLiteral("½"),
            QStringLiteral("１２"),
            QStringLiteral("٣"),
            QStringLiteral("%"),
            QStringLiteral("\"'<>&;"),
        };
        return values[pick(values.size())];
    }

    QString longText() {
        switch (pick(4)) {
        case 0:
            return QString(10000, QLatin1Char('9'));
        case 1:
            return QString(10000, QLatin1Char('x'));
        case 2:
            return QStringLiteral("1") + QString(9999, QLatin1Char('0'));
        default:
            return QStringLiteral("0.") + QString(9998, QLatin1Char('0'));
        }
    }

    std::size_t pick(std::size_t n) {
        return std::uniform_int_distribution<std::size_t>(0, n - 1)(rng_);
    }

private:
    std::mt19937_64& rng_;
};

// Records pages instead of printing; succeeds or fails as the walk decides.
struct PrinterStub {
    int pages = 0;
    bool succeed = true;
};

// A system without the information program: nothing is ever started.
class NoSysInfo final : public sysinfo::System {
public:
    class EmptyRegistry final : public sysinfo::Registry {
    public:
        sysinfo::Status openKey(sysinfo::KeyHandle, const QByteArray&, std::uint32_t,
                                sysinfo::KeyHandle*) override {
            return sysinfo::kFileNotFound;
        }
        sysinfo::Status queryValue(sysinfo::KeyHandle, const QByteArray&, std::uint32_t*, char*,
                                   std::uint32_t*) override {
            return sysinfo::kFileNotFound;
        }
        sysinfo::Status closeKey(sysinfo::KeyHandle) override { return sysinfo::kSuccess; }
    };
    sysinfo::Registry& registry() override { return registry_; }
    bool fileExists(const QString&) override { return false; }
    bool startDetached(const QString&) override {
        ++starts;
        return false;
    }
    int starts = 0;

private:
    EmptyRegistry registry_;
};

constexpr quint64 kDefaultSeed = 20240611ULL;
constexpr int kDefaultActions = 2000;

quint64 SeedFromEnvironment() {
    bool ok = false;
    const quint64 seed = qEnvironmentVariable("VT_SOAK_SEED").toULongLong(&ok);
    return ok ? seed : kDefaultSeed;
}

int ActionsFromEnvironment() {
    bool ok = false;
    const int actions = qEnvironmentVariableIntValue("VT_SOAK_ACTIONS", &ok);
    return ok && actions > 0 ? actions : kDefaultActions;
}

class SoakTest : public ProgramTest {
protected:
    void SetUp() override {
        ProgramTest::SetUp();
        seed_ = SeedFromEnvironment();
        actions_ = ActionsFromEnvironment();
        ASSERT_TRUE(files_.isValid());
        writeFiles();
        savedDirectory_ = QDir::currentPath();
        QDir::setCurrent(files_.path());
        answerFileDialogs();
    }

    void TearDown() override {
        QDir::setCurrent(savedDirectory_);
        ProgramTest::TearDown();
    }

    // Every file dialog the walk reaches is answered here, never shown:
    // evaluations are saved to and opened from one file of the walk, exports
    // land in the walk's folder under the name offered, a PDF is declined.
    void answerFileDialogs() {
        const QString walkFile = QDir(files_.path()).filePath(QStringLiteral("walk.vte"));
        fileDialogs.answer = [this, walkFile](const FileQuestion& question) -> FileAnswer {
            ++fileQuestions_[question.caption];
            if (question.caption == files::kSaveTitle || question.caption == files::kOpenTitle)
                return {walkFile, question.filters.value(0)};
            if (question.defaultSuffix == QLatin1String("pdf"))
                return {};
            QString name = QFileInfo(question.suggested).fileName();
            if (name.isEmpty())
                name = QStringLiteral("export");
            return {QDir(files_.path()).filePath(name), question.filters.value(0)};
        };
    }

    // Modelling-results files for the chooser: good ones and broken ones.
    void writeFiles() {
        const auto write = [&](const QString& name, const QByteArray& bytes) {
            QFile file(QDir(files_.path()).filePath(name));
            ASSERT_TRUE(file.open(QIODevice::WriteOnly));
            file.write(bytes);
        };
        write(QStringLiteral("good.int"), "5\t0\t7\t0\r\n100\t20\t100\t15\r\n200\t35\t200\t28\r\n"
                                          "300\t50\t300\t40\r\n");
        write(QStringLiteral("padded.INT"), "6\t0\t8\t0\t10\t0\r\n100\t30\t100\t25\t100\t20\r\n"
                                            "200\t50\t200\t40\t200\t30\r\n400\t90\t-1\t-1\t400"
                                            "\t55\r\n");
        write(QStringLiteral("odd.int"), "5\t0\t7\r\n100\t20\t100\r\n");
        write(QStringLiteral("lf-only.int"), "5\t0\t7\t0\n100\t20\t100\t15\n200\t35\t200\t28\n");
        write(QStringLiteral("empty.int"), "");
        write(QStringLiteral("header-only.int"), "5\t0\t7\t0\r\n");
        write(QStringLiteral("short-line.int"), "5\t0\t7\t0\r\n100\t20\r\n");
        write(QStringLiteral("flat.int"), "5\t0\r\n100\t20\r\n100\t20\r\n");
        write(QStringLiteral("words.int"), "inf\tnan\tabc\t-\r\nNaN\tinf\t1e400\t-1e400\r\n"
                                           "1e308\t-1e308\t0\t0\r\n");
        static const char binary[] = "\x00\xff\x01\t\r\n\t\t\x80";
        write(QStringLiteral("binary.int"), QByteArray(binary, sizeof binary - 1));
        write(QStringLiteral("notes.txt"), "not listed");
        QDir(files_.path()).mkdir(QStringLiteral("sub"));
        write(QStringLiteral("sub/inner.int"),
              "4\t0\t9\t0\r\n50\t10\t50\t8\r\n500\t60\t500\t45\r\n");
    }

    // ---- the program's windows ----

    // The program's windows in the order of their names, never in the order
    // of QApplication::topLevelWidgets() (a hash set's, which differs from
    // run to run), so that a seed picks the same window every time.
    static QList<QWidget*> programWindows() {
        QList<QWidget*> windows;
        for (QWidget* w : QApplication::topLevelWidgets())
            if (w->objectName().startsWith(QLatin1String("frm")))
                windows << w;
        std::stable_sort(windows.begin(), windows.end(), [](const QWidget* a, const QWidget* b) {
            return a->objectName() < b->objectName();
        });
        return windows;
    }

    static QList<QWidget*> visibleWindows() {
        QList<QWidget*> windows;
        for (QWidget* w : programWindows())
            if (w->isVisible())
                windows << w;
        return windows;
    }

    bool programRunning() const {
        for (QWidget* w : visibleWindows())
            if (!w->objectName().startsWith(QLatin1String("frmPopUp")))
                return true;
        return false;
    }

    static void closeEveryWindow() {
        CloseAllWindows();
        Windows().close(QStringLiteral("frmSplash"));
        for (QWidget* w : programWindows())
            w->close();
        flushDeletes();
    }

    void freshStart() {
        closeEveryWindow();
        QWidget* splash = Windows().show(QStringLiteral("frmSplash"));
        ASSERT_NE(splash, nullptr);
        holdTimers();
        ++restarts_;
    }

    // Test doubles go into windows as they appear: a recording printer, a
    // system without the information program, a chooser rooted in our folder.
    void injectDoubles() {
        if (auto* report = Windows().existing<frmPrint>(QStringLiteral("frmPrint"));
            report && !report->property("soak").toBool()) {
            report->setProperty("soak", true);
            ReportOutput output;
            output.findPrinter = [] { return QString(); };
            output.print = [this](const ReportPage& page, const QString&) {
                ++printer_.pages;
                EXPECT_FALSE(ReportPageImage(page).isNull());
                return printer_.succeed ? PrintResult{true, {}}
                                        : PrintResult{false, QStringLiteral("Paper jam")};
            };
            output.preview = [](QWidget*, const ReportPage&, const std::function<void()>&) {};
            report->setOutput(output);
        }
        if (auto* design = Windows().existing<frmDesignReport>(QStringLiteral("frmDesignReport"));
            design && !design->property("soak").toBool()) {
            design->setProperty("soak", true);
            design->print = [this](const QString&, const PdfWriterFunction& write) {
                QByteArray pdf;
                QBuffer buffer(&pdf);
                EXPECT_TRUE(write(buffer, QPageSize(QPageSize::A4)));
                return printer_.succeed ? PrintResult{true, {}}
                                        : PrintResult{false, QStringLiteral("Paper jam")};
            };
        }
        if (auto* about = Windows().existing<frmAbout>(QStringLiteral("frmAbout"));
            about && !about->property("soak").toBool()) {
            about->setProperty("soak", true);
            about->setSystem(&system_);
        }
        if (auto* chooser = Windows().existing<frmFileOpen>(QStringLiteral("frmFileOpen"));
            chooser && !chooser->property("soak").toBool()) {
            chooser->setProperty("soak", true);
            chooser->SetDriveRoots({files_.path(), QDir(files_.path()).filePath("missing")});
            chooser->SetDirectory(files_.path());
        }
    }

    // ---- actions ----

    // The folder of the test files differs from run to run: "<files>" in the
    // log, so that the logs of two runs compare. One line per action.
    void log(QString what) {
        what.replace(files_.path(), QStringLiteral("<files>"));
        what.replace(QLatin1Char('\n'), QLatin1String("\\n"));
        recent_.push_back(QStringLiteral("#%1 %2").arg(step_).arg(what.left(120)));
        if (trace_)
            trace_->push_back(recent_.back());
        if (recent_.size() > 25)
            recent_.pop_front();
    }

    template <class T> QList<T*> usable(QWidget* window) const {
        QList<T*> found;
        for (T* w : window->findChildren<T*>())
            if (w->isVisible() && w->isEnabled())
                found << w;
        return found;
    }

    template <class T> T* any(const QList<T*>& list) {
        return list.isEmpty() ? nullptr : list[static_cast<int>(text_.pick(list.size()))];
    }

    // A typed text that holds "inf" or "nan" may show anywhere it is copied;
    // only such texts need remembering (and so the set stays small).
    void remember(const QString& text) {
        if (soak::HasNonFiniteToken(text))
            typed_.insert(text);
    }

    void typeInto(QLineEdit* box, const QString& text) {
        remember(text);
        box->setFocus();
        QTest::keyClick(box, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClick(box, Qt::Key_Delete);
        if (text.size() > 64) {
            QApplication::clipboard()->setText(text); // pasted
            QTest::keyClick(box, Qt::Key_V, Qt::ControlModifier);
        } else {
            for (const QChar c : text) {
                if (c.unicode() < 128) {
                    QTest::keyClick(box, c.toLatin1());
                    continue;
                }
                // Beyond ASCII, as an input method delivers it.
                QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QString(c));
                QKeyEvent release(QEvent::KeyRelease, Qt::Key_unknown, Qt::NoModifier, QString(c));
                QApplication::sendEvent(box, &press);
                QApplication::sendEvent(box, &release);
            }
        }
    }

    bool typeAction(QWidget* window) {
        QList<QLineEdit*> boxes;
        for (QLineEdit* box : usable<QLineEdit>(window))
            if (!box->isReadOnly())
                boxes << box;
        QLineEdit* box = any(boxes);
        if (!box)
            return false;
        const QString text = text_.any();
        const QString owner = box->parentWidget() && qobject_cast<QComboBox*>(box->parentWidget())
                                  ? box->parentWidget()->objectName()
                                  : box->objectName();
        log(QStringLiteral("type %1 <- \"%2\"").arg(owner, text.left(24)));
        typeInto(box, text);
        return true;
    }

    bool pickAction(QWidget* window) {
        QList<QComboBox*> combos;
        for (QComboBox* combo : usable<QComboBox>(window))
            if (combo->count() > 0)
                combos << combo;
        QComboBox* combo = any(combos);
        if (!combo)
            return false;
        if (text_.pick(3) == 0) {
            const bool down = text_.pick(2) == 0;
            log(QStringLiteral("key %1 in %2").arg(down ? "Down" : "Up", combo->objectName()));
            combo->setFocus();
            QTest::keyClick(combo, down ? Qt::Key_Down : Qt::Key_Up);
            return true;
        }
        const int index = static_cast<int>(text_.pick(combo->count()));
        log(QStringLiteral("pick %1 = \"%2\"").arg(combo->objectName(), combo->itemText(index)));
        // Open the list by its arrow, then click the item.
        QStyleOptionComboBox option;
        option.initFrom(combo);
        option.editable = combo->isEditable();
        option.subControls = QStyle::SC_All;
        const QRect arrow = combo->style()->subControlRect(QStyle::CC_ComboBox, &option,
                                                           QStyle::SC_ComboBoxArrow, combo);
        QTest::mouseClick(combo, Qt::LeftButton, {}, arrow.center());
        QAbstractItemView* view = combo->view();
        if (!view->isVisible())
            return true; // locked: the list does not open
        const QModelIndex item =
            view->model()->index(index, combo->modelColumn(), view->rootIndex());
        view->scrollTo(item);
        const QPoint at = view->visualRect(item).center();
        QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, at);
        if (combo->currentIndex() == index)
            ++picks_;
        if (view->isVisible())
            combo->hidePopup();
        return true;
    }

    bool clickAction(QWidget* window) {
        QList<QAbstractButton*> buttons;
        for (QAbstractButton* button : usable<QAbstractButton>(window))
            if (!qobject_cast<QTabBar*>(button->parentWidget()))
                buttons << button;
        QAbstractButton* button = any(buttons);
        if (!button)
            return false;
        // Leaving the start-up window ends the program: rarer than the rest.
        const QString name = button->objectName();
        if ((name == QLatin1String("cmdCancel") || name == QLatin1String("cmdDecline")) &&
            text_.pick(5) != 0)
            return false;
        printer_.succeed = text_.pick(3) != 0;
        messages.answer = text_.pick(2) == 0;
        log(QStringLiteral("click %1/%2 \"%3\"")
                .arg(window->objectName(), button->objectName(), button->text()));
        QTest::mouseClick(button, Qt::LeftButton);
        return true;
    }

    bool tabAction(QWidget* window) {
        QTabWidget* tabs = any(usable<QTabWidget>(window));
        if (!tabs)
            return false;
        const int index = static_cast<int>(text_.pick(tabs->count()));
        log(QStringLiteral("tab %1").arg(tabs->tabText(index)));
        QTest::mouseClick(tabs->tabBar(), Qt::LeftButton, {},
                          tabs->tabBar()->tabRect(index).center());
        return true;
    }

    bool keyAction(QWidget* window) {
        struct Key {
            Qt::Key key;
            Qt::KeyboardModifiers modifiers;
            const char* name;
        };
        static const Key keys[] = {
            {Qt::Key_P, Qt::AltModifier, "Alt+P"},
            {Qt::Key_S, Qt::AltModifier, "Alt+S"},
            {Qt::Key_R, Qt::AltModifier, "Alt+R"},
            {Qt::Key_Tab, {}, "Tab"},
            {Qt::Key_Backtab, {}, "Shift+Tab"},
            {Qt::Key_Return, {}, "Enter"},
            {Qt::Key_Space, {}, "Space"},
            {Qt::Key_Escape, {}, "Esc"},
            {Qt::Key_Down, {}, "Down"},
            {Qt::Key_Up, {}, "Up"},
            {Qt::Key_Backspace, {}, "Backspace"},
            {Qt::Key_Delete, {}, "Delete"},
        };
        const Key& k = keys[text_.pick(std::size(keys))];
        window->activateWindow();
        QWidget* target = window->focusWidget() ? window->focusWidget() : window;
        printer_.succeed = text_.pick(3) != 0;
        messages.answer = text_.pick(2) == 0;
        log(QStringLiteral("key %1 on %2/%3")
                .arg(k.name, window->objectName(), target->objectName()));
        QTest::keyClick(target, k.key, k.modifiers);
        return true;
    }

    bool menuAction(QWidget* window) {
        QList<QAction*> actions;
        for (QAction* action : window->findChildren<QAction*>())
            if (action->objectName().startsWith(QLatin1String("mnu")) && action->isEnabled() &&
                !action->isSeparator())
                actions << action;
        QAction* action = any(actions);
        if (!action)
            return false;
        // Exit ends the program: rarer than the rest.
        if (action->objectName() == QLatin1String("mnuExit") && text_.pick(4) != 0)
            return false;
        log(QStringLiteral("menu %1/%2").arg(window->objectName(), action->text()));
        action->trigger();
        return true;
    }

    bool listAction(QWidget* window) {
        if (QListWidget* list = any(usable<QListWidget>(window)); list && list->count() > 0) {
            QListWidgetItem* item = list->item(static_cast<int>(text_.pick(list->count())));
            const QPoint at = list->visualItemRect(item).center();
            list->scrollToItem(item);
            const bool twice = text_.pick(4) == 0;
            log(QStringLiteral("%1 %2 \"%3\"")
                    .arg(twice ? "double-click" : "click", list->objectName(), item->text()));
            if (twice)
                QTest::mouseDClick(list->viewport(), Qt::LeftButton, {},
                                   list->visualItemRect(item).center());
            else
                QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, at);
            return true;
        }
        if (QTreeWidget* tree = any(usable<QTreeWidget>(window))) {
            QList<QTreeWidgetItem*> items;
            for (QTreeWidgetItemIterator it(tree); *it; ++it)
                items << *it;
            QTreeWidgetItem* item = any(items);
            if (!item)
                return false;
            log(QStringLiteral("activate %1 \"%2\"").arg(tree->objectName(), item->text(0)));
            tree->setCurrentItem(item);
            emit tree->itemActivated(item, 0);
            return true;
        }
        return false;
    }

    bool closeAction(QWidget* window) {
        log(QStringLiteral("close %1").arg(window->objectName()));
        window->close();
        return true;
    }

    // The windows' timers tick only when the walk says so, so that a seed
    // replays the same walk whatever the speed of the machine.
    static void holdTimers() {
        for (QWidget* window : QApplication::topLevelWidgets()) // any order will do
            for (QTimer* timer : window->findChildren<QTimer*>())
                if (timer->isActive() && timer->parent() == window) {
                    timer->stop();
                    timer->setProperty("soakHeld", true);
                }
    }

    bool timerAction(QWidget* window) {
        QList<QTimer*> timers;
        for (QTimer* timer : window->findChildren<QTimer*>())
            if (timer->property("soakHeld").toBool() && timer->parent() == window)
                timers << timer;
        QTimer* timer = any(timers);
        if (!timer)
            return false;
        log(QStringLiteral("tick %1/%2").arg(window->objectName(), timer->objectName()));
        QMetaObject::invokeMethod(timer, "timeout");
        return true;
    }

    // Fills the inputs of the visible tab of a calculation screen with
    // numbers from the lists, so that the walk also reaches deep states.
    bool fillAction(QWidget* window) {
        auto* screen = qobject_cast<CalculationScreen*>(window);
        if (!screen)
            return false;
        log(QStringLiteral("fill the tab \"%1\"")
                .arg(screen->tabs()->tabText(screen->tabs()->currentIndex())));
        for (QComboBox* combo : usable<QComboBox>(screen))
            if (combo->isEditable() && !combo->lineEdit()->isReadOnly() && combo->count() > 0)
                typeInto(combo->lineEdit(),
                         combo->itemText(static_cast<int>(text_.pick(combo->count()))));
        for (QLineEdit* box : usable<QLineEdit>(screen))
            if (!box->isReadOnly() && !qobject_cast<QComboBox*>(box->parentWidget()))
                typeInto(box, box->objectName() == QLatin1String("txtDepth")
                                  ? QString::number(100 + 50 * text_.pick(14))
                                  : text_.listValue());
        return true;
    }

    void act() {
        const QList<QWidget*> windows = visibleWindows();
        // The calculation screen and the dialogs get most of the attention.
        QList<QWidget*> weighted;
        for (QWidget* w : windows) {
            const bool popUp = w->objectName().startsWith(QLatin1String("frmPopUp"));
            const int weight = popUp ? 1 : kScreens.contains(w->objectName()) ? 4 : 3;
            for (int i = 0; i < weight; ++i)
                weighted << w;
        }
        QWidget* window = any(weighted);
        ++visits_[window->objectName()];
        if (windows.size() > 1)
            ++choices_;
        for (int attempt = 0; attempt < 8; ++attempt) {
            const std::size_t roll = text_.pick(100);
            bool done = false;
            if (roll < 30)
                done = typeAction(window);
            else if (roll < 42)
                done = pickAction(window);
            else if (roll < 67)
                done = clickAction(window);
            else if (roll < 73)
                done = tabAction(window);
            else if (roll < 79)
                done = keyAction(window);
            else if (roll < 83)
                done = menuAction(window);
            else if (roll < 89)
                done = listAction(window);
            else if (roll < 90)
                done = closeAction(window);
            else if (roll < 93)
                done = timerAction(window);
            else
                done = fillAction(window);
            if (done)
                return;
        }
        log(QStringLiteral("nothing to do on %1").arg(window->objectName()));
    }

    // ---- checks ----

    QString report() const {
        QString text =
            QStringLiteral("seed %1 (VT_SOAK_SEED=%1 VT_SOAK_ACTIONS=%2), last actions:\n")
                .arg(seed_)
                .arg(step_);
        for (const QString& line : recent_)
            text += QStringLiteral("  ") + line + QLatin1Char('\n');
        return text;
    }

    // False (after a test failure naming everything wrong) when a check fails.
    bool checkAll() {
        QStringList problems;
        // What the inputs hold now may be copied anywhere (Final Results, the
        // report): it counts as typed.
        for (QWidget* window : programWindows())
            for (QLineEdit* box : window->findChildren<QLineEdit*>())
                if (!box->isReadOnly())
                    remember(box->text());
        // Each message is checked once and then forgotten, so that a long
        // walk keeps no history but the counts.
        for (const RecordedMessage& m : messages.shown) {
            if (m.text.isEmpty() || m.title.isEmpty())
                problems << QStringLiteral("message box without text or title: \"%1\" / \"%2\"")
                                .arg(m.text, m.title);
            if (soak::HasNonFiniteToken(soak::WithoutQuotedTyped(m.text, typed_)) &&
                !typed_.contains(m.text))
                problems << QStringLiteral("message shows a non-finite number: ") + m.text;
            ++messageCounts_[m.title + QStringLiteral(" | ") + m.text.left(50)];
        }
        messagesShown_ += messages.shown.size();
        messages.shown.clear();
        for (const RecordedMessage& m : messages.asked)
            if (m.text.isEmpty() || m.title.isEmpty())
                problems << QStringLiteral("question without text or title");
        messages.asked.clear();

        for (QWidget* window : visibleWindows())
            problems << soak::NonFiniteTexts(window, typed_);
        for (const QString& name : kScreens)
            if (auto* screen = Windows().existing<CalculationScreen>(name)) {
                problems << soak::ResultDisagreements(screen, screen->isVisible());
                if (screen->isVisible() && !FieldText(screen, QStringLiteral("lblFOS")).isEmpty())
                    ++fosShown_[name];
            }
        if (problems.isEmpty())
            return true;
        ADD_FAILURE() << problems.join(QLatin1Char('\n')).toStdString() << "\n"
                      << report().toStdString();
        return false;
    }

    // ---- walks ----

    // A new walk from the start-up window, as at the start of the program:
    // the seed's random numbers, no history, no windows, no loaded file.
    void startWalk(quint64 seed) {
        closeEveryWindow();
        State().AveragePillarStress = 0.0f;
        State().PictureCounter = 0;
        State().ModellingResults = results::ModellingResults{};
        seed_ = seed;
        rng_.seed(seed);
        step_ = 0;
        recent_.clear();
        typed_.clear();
        messages.shown.clear();
        messages.asked.clear();
        messages.answer = false;
        messagesShown_ = 0;
        printer_ = PrinterStub{};
        restarts_ = 0;
        ends_ = 0;
        picks_ = 0;
        choices_ = 0;
        visits_.clear();
        fosShown_.clear();
        messageCounts_.clear();
        fileQuestions_.clear();
        std::printf("soak: seed %llu (VT_SOAK_SEED=%llu)\n", static_cast<unsigned long long>(seed),
                    static_cast<unsigned long long>(seed));
        std::fflush(stdout);
        freshStart();
    }

    // A probability run ends (or is cancelled) before the next action, so
    // that the walk does not hang on how fast the machine samples: which
    // buttons are enabled next would otherwise differ from run to run.
    static void settleRun() {
        auto* window = Windows().existing<frmProbability>(QStringLiteral("frmProbability"));
        QElapsedTimer waited;
        waited.start();
        while (window && window->running() && !waited.hasExpired(300000)) {
            QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
            QThread::msleep(1);
        }
    }

    // `count` more actions, each followed by the checks; false (after a
    // test failure that names the seed and the last actions) when one failed.
    bool walk(int count) {
        for (int i = 0; i < count; ++i) {
            ++step_;
            const int endsBefore = endRequests;
            act();
            settleRun();
            holdTimers();
            QCoreApplication::processEvents();
            flushDeletes();
            injectDoubles();
            if (!checkAll())
                return false;
            if (endRequests != endsBefore || !programRunning()) {
                ends_ += endRequests != endsBefore ? 1 : 0;
                log(QStringLiteral("the program would end: fresh start"));
                freshStart();
            }
        }
        return true;
    }

    std::string summary() const {
        std::string text;
        for (const auto& [name, count] : visits_)
            text += name.toStdString() + " " + std::to_string(count) + " actions\n";
        for (const auto& [name, count] : fosShown_)
            text +=
                name.toStdString() + " showed a FOS after " + std::to_string(count) + " actions\n";
        text += std::to_string(restarts_) + " starts, " + std::to_string(ends_) +
                " requests to end, " + std::to_string(picks_) + " list picks, " +
                std::to_string(printer_.pages) + " pages printed, " +
                std::to_string(messagesShown_) + " messages\n";
        for (const auto& [message, count] : messageCounts_)
            text += "  " + std::to_string(count) + " x " + message.toStdString() + "\n";
        text += "file dialogs answered:\n";
        for (const auto& [caption, count] : fileQuestions_)
            text += "  " + std::to_string(count) + " x " + caption.toStdString() + "\n";
        return text;
    }

    quint64 seed_ = 0;
    int actions_ = 0;
    int step_ = 0;
    std::mt19937_64 rng_;
    TextSource text_{rng_};
    QTemporaryDir files_;
    QString savedDirectory_;
    std::deque<QString> recent_;
    QSet<QString> typed_;
    PrinterStub printer_;
    NoSysInfo system_;
    std::size_t messagesShown_ = 0;
    int restarts_ = 0;
    int ends_ = 0;                          // requests to end the program
    std::vector<QString>* trace_ = nullptr; // every action, when set
    int picks_ = 0;                         // items picked from an opened list
    int choices_ = 0;                       // actions on one of several visible windows
    std::map<QString, int> visits_;
    std::map<QString, int> fosShown_;
    std::map<QString, int> messageCounts_;
    std::map<QString, int> fileQuestions_; // by caption
};

TEST_F(SoakTest, RandomWalkThroughEveryWindowKeepsResultsTrueAndNumbersFinite) {
    SCOPED_TRACE(QStringLiteral("VT_SOAK_SEED=%1 VT_SOAK_ACTIONS=%2")
                     .arg(seed_)
                     .arg(actions_)
                     .toStdString());
    startWalk(seed_);
    if (!walk(actions_))
        return;
    const std::string text = summary();
    std::printf("%s", text.c_str());

    // The walk must have gone deep everywhere, or it proves little.
    if (actions_ >= 4000) {
        for (const QString& name : kScreens)
            EXPECT_GT(fosShown_[name], 0) << name.toStdString() << " never showed a FOS\n" << text;
        for (const char* window : {"frmSplash", "frmAbout", "frmMedianUCS", "frmFileOpen",
                                   "frmRazuziRuridaDimensions", "frmPrint"})
            EXPECT_GT(visits_[QString::fromLatin1(window)], 0) << window << " never visited";
        EXPECT_GT(printer_.pages, 0);
        EXPECT_GT(picks_, 0) << "no list item was ever picked";
    }
    EXPECT_EQ(system_.starts, 0);
}

// The walk of one seed and length, written to the file VT_SOAK_TRACE names:
// one line per action, also when the walk fails (so a failing seed can be
// read back from its first action). Run as the child of the test below, or by
// hand with VT_SOAK_SEED and VT_SOAK_ACTIONS.
TEST_F(SoakTest, WritesTheTraceOfItsWalk) {
    const QString path = qEnvironmentVariable("VT_SOAK_TRACE");
    if (path.isEmpty())
        GTEST_SKIP() << "runs as a child of OneSeedReplaysTheSameWalkInEveryRun";
    std::vector<QString> trace;
    trace_ = &trace;
    startWalk(seed_);
    const bool walked = walk(actions_);
    trace_ = nullptr;
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Text));
    for (const QString& line : trace)
        file.write(line.toUtf8() + '\n');
    EXPECT_TRUE(walked);
}

std::vector<QString> ReadTrace(const QString& path) {
    std::vector<QString> lines;
    QFile file(path);
    if (file.open(QIODevice::ReadOnly | QIODevice::Text))
        while (!file.atEnd())
            lines.push_back(QString::fromUtf8(file.readLine()).chopped(1));
    return lines;
}

// Where two traces part, for the failure message.
std::string FirstDifference(const std::vector<QString>& a, const std::vector<QString>& b) {
    const auto [ia, ib] = std::mismatch(a.begin(), a.end(), b.begin(), b.end());
    if (ia == a.end() && ib == b.end())
        return "none";
    return "action " + std::to_string(ia - a.begin()) + ": \"" +
           (ia == a.end() ? std::string("(end)") : ia->toStdString()) + "\" against \"" +
           (ib == b.end() ? std::string("(end)") : ib->toStdString()) + "\"";
}

// A printed seed replays the walk that failed: this process and two other
// runs of the program (whose windows land elsewhere in memory and whose hash
// tables are seeded differently) take the same actions in the same windows.
TEST_F(SoakTest, OneSeedReplaysTheSameWalkInEveryRun) {
    constexpr int kActions = 400;
    std::vector<QString> here;
    trace_ = &here;
    startWalk(seed_);
    ASSERT_TRUE(walk(kActions));
    trace_ = nullptr;
    ASSERT_GE(here.size(), std::size_t{kActions});
    // The walk often had several windows to choose from, or this proves little.
    EXPECT_GT(choices_, kActions / 4);

    QTemporaryDir traces;
    ASSERT_TRUE(traces.isValid());
    for (const char* hashSeed : {"1", "2"}) {
        const QString path =
            traces.filePath(QStringLiteral("trace-%1").arg(QLatin1String(hashSeed)));
        QProcess child;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("VT_SOAK_TRACE"), path);
        environment.insert(QStringLiteral("VT_SOAK_SEED"), QString::number(seed_));
        environment.insert(QStringLiteral("VT_SOAK_ACTIONS"), QString::number(kActions));
        environment.insert(QStringLiteral("QT_HASH_SEED"), QLatin1String(hashSeed));
        child.setProcessEnvironment(environment);
        child.setProcessChannelMode(QProcess::MergedChannels);
        child.start(QCoreApplication::applicationFilePath(),
                    {QStringLiteral("--gtest_filter=SoakTest.WritesTheTraceOfItsWalk")});
        ASSERT_TRUE(child.waitForFinished(300000)) << "the child run did not end";
        ASSERT_EQ(child.exitCode(), 0) << child.readAll().toStdString();
        const std::vector<QString> there = ReadTrace(path);
        EXPECT_TRUE(there == here) << "QT_HASH_SEED=" << hashSeed << ", first difference at "
                                   << FirstDifference(here, there);
    }
}

} // namespace
} // namespace vt::test
