// The standard tributary design of the tests, as a screen's texts and as
// numbers: pillar 10 x 10 m between 12 m bords, 500 m deep in rock of
// density 2.7, K 100. Height 5 gives 79.3 % extraction, a stress of 64.1 MPa,
// W:H 2 on the power formula, strength 94.6 and FOS 1.475 (shown 1.5, both
// red); height 4 gives W:H 2.5 and FOS 1.7. Other heights and K are passed.
#pragma once

#include "evaluation/design.h"

#include <QString>

namespace vt::test {

inline evaluation::DesignTexts TributaryDesign(const char* height = "5") {
    evaluation::DesignTexts d;
    d.method = evaluation::Method::Tributary;
    d.density = QStringLiteral("2.7");
    d.depth = QStringLiteral("500");
    d.width = QStringLiteral("10");
    d.length = QStringLiteral("10");
    d.k = QStringLiteral("100");
    d.height = QString::fromLatin1(height);
    return d;
}

inline evaluation::DesignNumbers TributaryNumbers(double k = 100, double height = 5) {
    evaluation::DesignNumbers d;
    d.method = evaluation::Method::Tributary;
    d.density = 2.7;
    d.depth = 500;
    d.width = 10;
    d.length = 10;
    d.k = k;
    d.height = height;
    return d;
}

} // namespace vt::test
