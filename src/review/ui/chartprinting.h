#pragma once

class QPrinter;

namespace review {

class Chart2DView;
class Chart3DView;

// Draws a chart onto one page of a printer (a real printer or a PDF file),
// scaled to the page and keeping its proportions. False when nothing could
// be printed (the printer cannot start, or the 3D chart has no graph).
bool printChart2D(Chart2DView *view, QPrinter *printer);
bool printChart3D(Chart3DView *view, QPrinter *printer);

} // namespace review
