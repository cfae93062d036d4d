// The registry names of the program's windows, one constant each, so that a
// misspelt name fails to compile. The names are also the windows' object
// names, which the tests find them by.
#pragma once

#include <QLatin1String>

namespace vt::names {

// The start-up window and the shell.
inline constexpr QLatin1String frmSplash("frmSplash");
inline constexpr QLatin1String frmChoices("frmChoices");
inline constexpr QLatin1String frmAbout("frmAbout");
inline constexpr QLatin1String frmPopUpWH("frmPopUpWH");
inline constexpr QLatin1String frmPopUpFOS("frmPopUpFOS");
inline constexpr QLatin1String frmUserGuide("frmUserGuide");

// The calculation screens.
inline constexpr QLatin1String frmTributary("frmTributary");
inline constexpr QLatin1String frmModelled("frmModelled");
inline constexpr QLatin1String frmInterpolate("frmInterpolate");

// The dialogs.
inline constexpr QLatin1String frmMedianUCS("frmMedianUCS");
inline constexpr QLatin1String frmRazuziRuridaDimensions("frmRazuziRuridaDimensions");
inline constexpr QLatin1String frmFileOpen("frmFileOpen");
inline constexpr QLatin1String frmPrint("frmPrint");

// The design tools.
inline constexpr QLatin1String frmDesignCharts("frmDesignCharts");
inline constexpr QLatin1String frmTargetFOS("frmTargetFOS");
inline constexpr QLatin1String frmProbability("frmProbability");
inline constexpr QLatin1String frmDesignReport("frmDesignReport");
inline constexpr QLatin1String frmStrengthFormulas("frmStrengthFormulas");

} // namespace vt::names
