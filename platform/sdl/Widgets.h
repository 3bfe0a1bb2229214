// The drawn content of the platform's widgets, in the view's own coordinates (its bounds).
#pragma once

#include "platform/sdl/DrawContext.h"

class ActivityIndicatorView;
class Button;
class ImageView;
class Label;
class PageControl;
class PickerView;
class Switch;
class TableView;
class TextField;

void drawImageView(DrawContext& context, const AffineTransform& toOutput, const ImageView& view,
                   double alpha);
void drawLabel(DrawContext& context, const AffineTransform& toOutput, const Label& label,
               double alpha);
void drawButton(DrawContext& context, const AffineTransform& toOutput, const Button& button,
                double alpha);
void drawSwitch(DrawContext& context, const AffineTransform& toOutput, const Switch& control,
                double alpha);
// Twelve spokes, the brightest stepping round (see Motion.h for the rate).
void drawActivityIndicator(DrawContext& context, const AffineTransform& toOutput,
                           const ActivityIndicatorView& indicator, double alpha);
// `focused`: the field takes the keyboard's text and shows a caret.
void drawTextField(DrawContext& context, const AffineTransform& toOutput, const TextField& field,
                   bool focused, double alpha);
// A dot per page, the current one lit.
void drawPageControl(DrawContext& context, const AffineTransform& toOutput,
                     const PageControl& control, double alpha);
// A white wheel per column: the rows near the middle line, fading towards the edges, and the
// selection band across the middle.
void drawPickerView(DrawContext& context, const AffineTransform& toOutput, const PickerView& picker,
                    double alpha);
// The separator under each row in sight (the cells are its subviews, drawn over it).
void drawTableView(DrawContext& context, const AffineTransform& toOutput, const TableView& table,
                   double alpha);
