#pragma once

#include "PictureFolder.h"

// The pictures of the picture-button menu: "MENU" (header band, footer, button frames),
// "TITLE" (the three menu titles) and "CUSTOM" (the button pictures of both picture
// sets: base id + 0 plain, base id + 1 tiles).
class MenuPictures {
  public:
    static void Write(PictureFolder& folder);

  private:
    static void writeHeader(PictureFolder& folder);
    static void writeFooter(PictureFolder& folder);
    static void writeTitles(PictureFolder& folder);
    static void writeFrames(PictureFolder& folder);
    static void writeButtons(PictureFolder& folder);
};
