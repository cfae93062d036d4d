// The design report's fields as evaluation files keep them, and the report
// window as the evaluation files' actions see it.
#pragma once

#include "app/interfaces.h"

#include <QString>
#include <QStringList>
#include <optional>

namespace vt {

// The design report's own fields, as its window holds them and evaluation
// files keep them: the heading, the notes, who prepared, checked and
// approved the design and when, the sections ticked (by their names in
// files: "summary", "inputs", ...) and the sections the window offered a
// tick for, so that a section added later gets its default tick when an
// older file opens.
struct DesignReportFields {
    QString project; // mine, section or area
    QString title;
    QString revision;
    QString notes; // lines joined by line feeds
    QString preparedBy;
    QString preparedOn;
    QString checkedBy;
    QString checkedOn;
    QString approvedBy;
    QString approvedOn;
    QStringList sections; // ticked
    QStringList offered;  // every section the window offered, ticked or not

    bool operator==(const DesignReportFields&) const = default;
};

// The design report window as evaluation files see it.
class DesignReportKeeper {
public:
    virtual ~DesignReportKeeper() = default;
    // The report's fields while the window works for `source`.
    virtual std::optional<DesignReportFields> designReportFor(const DesignSource& source) const = 0;
    // Fills the window's fields and ticks as kept.
    virtual void setDesignReport(const DesignReportFields& fields) = 0;
};

} // namespace vt
