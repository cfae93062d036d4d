// The program-wide state, kept in one visible place: the average pillar stress
// of the evaluation in progress, the loaded modelling results, the picture
// counter of the slideshows and the window registry.
#pragma once

#include "app/interfaces.h"
#include "results/modellingresults.h"

#include <QPointer>
#include <QString>
#include <QStringList>
#include <QWidget>
#include <cstdint>
#include <functional>
#include <map>
#include <utility>
#include <vector>

namespace vt {

inline const QString kAppTitle = QStringLiteral("Vandrel Tessaron");

// Every window exists at most once, is known by name, is created on first use
// and loses its state when closed (it is deleted); hiding keeps it.
class WindowRegistry {
public:
    using Factory = std::function<QWidget*()>;

    void registerFactory(const QString& name, Factory factory);
    bool hasFactory(const QString& name) const;

    // The window, created (not shown) if it does not exist.
    QWidget* window(const QString& name);
    template <class T> T* window(const QString& name) { return dynamic_cast<T*>(window(name)); }
    // The window if it exists, else nullptr.
    QWidget* existing(const QString& name) const;
    template <class T> T* existing(const QString& name) const {
        return dynamic_cast<T*>(existing(name));
    }
    // Create if needed, show without modality, bring to the front.
    QWidget* show(const QString& name);
    // Close (and so destroy) the window if it exists and is not already closing.
    void close(const QString& name);

    // The order in which CloseAllWindows closes the windows, and which windows
    // play a part (WindowRole); both are set by the composition root.
    void setCloseOrder(QStringList names) { closeOrder_ = std::move(names); }
    const QStringList& closeOrder() const { return closeOrder_; }
    void setRole(WindowRole role, QStringList names) { roles_[role] = std::move(names); }
    QStringList role(WindowRole role) const;
    // The first existing window that plays `role` and is a T, else nullptr.
    template <class T> T* existingIn(WindowRole role) const {
        for (const QString& name : this->role(role))
            if (T* window = existing<T>(name))
                return window;
        return nullptr;
    }
    // The items of the calculation screens' "&Design" menu, in order.
    void addDesignMenuItem(DesignMenuItem item) { designMenu_.push_back(std::move(item)); }
    const std::vector<DesignMenuItem>& designMenu() const { return designMenu_; }
    void clearDesignMenu() { designMenu_.clear(); }
    // Asked before a screen's design is thrown away ("&New Calculation",
    // "E&xit", closing the screen, opening another evaluation): false keeps
    // everything as it is. Without one nothing is asked.
    using LeaveGuard = std::function<bool(DesignSource& screen)>;
    void setLeaveGuard(LeaveGuard guard) { leaveGuard_ = std::move(guard); }
    const LeaveGuard& leaveGuard() const { return leaveGuard_; }
    bool mayLeave(DesignSource& screen) const { return !leaveGuard_ || leaveGuard_(screen); }

    // A window that is being closed is left alone by further closes.
    static void markClosing(QWidget* window);
    static bool isClosing(const QWidget* window);
    // A window that refused a close stays known.
    static void markOpen(QWidget* window);
    // Whether the program closes the window (close(), CloseAllWindows) rather
    // than the user.
    static bool closedByProgram(const QWidget* window);

private:
    std::map<QString, Factory> factories_;
    std::map<QString, QPointer<QWidget>> windows_;
    QStringList closeOrder_;
    std::map<WindowRole, QStringList> roles_;
    std::vector<DesignMenuItem> designMenu_;
    LeaveGuard leaveGuard_;
};

struct ProgramState {
    float AveragePillarStress = 0.0f; // MPa; written by the stress steps
    std::int16_t PictureCounter = 0;  // next picture of both slideshows
    results::ModellingResults ModellingResults;
    WindowRegistry Windows;
    std::function<void()> endProgram; // replaced by tests; default quits
    // The folder holding the default modelling-results file; empty: the
    // installed data folder found from the program's own folder. Tests point
    // it at the copy the build makes, or at a folder of their own.
    QString DataFolder;
};

ProgramState& State();
inline WindowRegistry& Windows() {
    return State().Windows;
}

// Closes every window but the start-up window, in the registered order. A
// nested call (a closing screen closes all again) changes nothing more.
void CloseAllWindows();

// Ends the program at once (the event loop exits).
void EndProgram();

} // namespace vt
