#pragma once

class QwtPlot;

// Makes the ends of the plot's axes the edges of its canvas, so that traces fitted to an axis
// reach the canvas edges instead of stopping where the axis leaves room for its end labels.
void AlignCanvasToScales(QwtPlot& plot);
