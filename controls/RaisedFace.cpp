#include "RaisedFace.h"

#include "platform/forms/VbColor.h"

void RaisedFace::PrepareBody(forms::PictureBox& body) {
    body.SetAppearance(0);
    body.SetBorderStyle(0);
    body.SetAutoRedraw(true);
    body.SetFillStyle(forms::vbFSSolid);
}

void RaisedFace::Draw(forms::PictureBox& body, double width, double height, double offset,
                      long background, long face) {
    body.Line(0, 0, width, height, background, true, true);
    body.Line(ShadowOffset, ShadowOffset, width, height, forms::RGB(128, 128, 128), true, true);
    body.SetFillColor(face);
    body.Line(offset, offset, width - ShadowOffset + offset, height - ShadowOffset + offset,
              forms::vbBlack, true);
    body.Line(offset, offset, width - 75 + offset, offset, forms::vbWhite);
    body.Line(offset, offset, offset, height - 75 + offset, forms::vbWhite);
}

std::optional<double> RaisedFace::TextLeft(int16_t align, double areaWidth, double textWidth,
                                           double offset) {
    switch (align) {
        case 0:
            return offset + 165;
        case 1:
            return areaWidth - textWidth - 120 + offset;
        case 2:
            return (areaWidth - textWidth) / 2 + offset;
        default:
            return std::nullopt;
    }
}
