// Qwt 6.1's qwt_plot_layout.h gives a QFlags parameter the default value 0x00, which needs the
// integer constructor that Qt 5.15 deprecates and the program's deprecation level removes. This
// file alone is built at the 5.14 level (see CMakeLists.txt) so that it can include the header;
// with Qwt 6.2 the header builds at any level.
#include "PlotLayoutCompat.h"

#include <qwt_plot.h>
#include <qwt_plot_layout.h>

void AlignCanvasToScales(QwtPlot& plot)
{
    plot.plotLayout()->setAlignCanvasToScales(true);
}
