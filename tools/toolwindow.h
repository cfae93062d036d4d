// The shell every tool window is built on: a window pointed at the
// calculation screen it was opened from, which it reaches only through
// DesignSource. The shell follows the screen (SourceFollower), opens beside
// it (PlaceBeside) and closes with it: when the screen is closed or the
// program hides it (opening an evaluation of another method shows another
// screen), the tool closes too, so that nothing it shows or types belongs
// to a screen the user cannot see. F1 in a tool opens the user guide at the
// tool's own section.
#pragma once

#include "app/interfaces.h"
#include "tools/follower.h"

#include <QElapsedTimer>
#include <QMargins>
#include <QString>
#include <QWidget>

namespace vt::tools {

class ToolWindow : public QWidget, public DesignTool {
    Q_OBJECT
public:
    // `guideAnchor`: the tool's section of the user guide (app/userguide.h).
    explicit ToolWindow(QString guideAnchor, QWidget* parent = nullptr);

    // DesignTool: works for this screen from now on.
    void follow(DesignSource* source) final;

    // The screen followed, while it is there.
    DesignSource* source() const { return follower_.source(); }
    QWidget* sourceWindow() const { return follower_.sourceWindow(); }
    // The title of the screen followed ("Tributary Theory"); empty when none.
    QString sourceTitle() const;

    // Placed beside its screen: for a short while after, the tool is moved
    // whole onto the display again when the window manager's frame turns
    // out larger than the one it was placed with (a resize handle, say).
    void placed();

protected:
    // Before the tool turns to `next` (another screen, or the same again).
    virtual void aboutToFollow(DesignSource* next) { (void)next; }
    // The screen's design changed, or the tool turned to another screen.
    virtual void sourceChanged() = 0;

    bool event(QEvent* event) override;

private:
    void keepOnDisplay();

    SourceFollower follower_;
    QString guideAnchor_;
    QElapsedTimer placedAt_;
    int keeps_ = 0;
};

// Opens the registered tool window `name` for the screen `source`: created if
// needed, pointed at the screen, placed beside it when it was not shown yet,
// then shown and brought to the front.
void OpenTool(const QString& name, DesignSource& source);

} // namespace vt::tools
