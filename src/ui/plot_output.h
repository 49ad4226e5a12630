#pragma once

#include "plot/calibration_plot.h"
#include "plot/surface.h"

#include <QByteArray>
#include <QColor>
#include <QRect>
#include <QSize>
#include <QStringList>

#include <functional>

class QPainter;

namespace quorlin {

// Draws the calibration plots on the surface it is given.
using PlotDrawing = std::function<void(Surface&)>;

// The plots are laid out for at most this size; a larger picture scales the layout up
// instead of shrinking the text and markers against it.
inline constexpr QSize kPlotLayoutSize{kExportLayoutWidth, kExportLayoutHeight};

// A PNG image of exactly `size` pixels, or nothing when the image cannot be made.
QByteArray plotPng(const PlotDrawing& draw, QSize size, QColor background);

// A one-page PDF of the proportions of `size`, with the text as text.
QByteArray plotPdf(const PlotDrawing& draw, QSize size, const QString& title);

// `lines` of text at the top of `area`, the plots below them across its width.
void paintPlotPage(QPainter& painter, QRect area, const PlotDrawing& draw, const QStringList& lines);

}  // namespace quorlin
