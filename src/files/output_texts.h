#pragma once
// The file names of a frame series, shared by the window and the renderer.
#include <QString>

namespace solifa {

// Name of frame file k (1-based) of a series: "_" and two digits before the last four
// characters (the extension with its dot); a name without an extension gets them at its end.
QString FrameSeriesFileName(const QString& path, int k);

// The series named as a whole in the end message: "_xy" where the frame number would stand.
QString SeriesSummaryName(const QString& path);

} // namespace solifa
