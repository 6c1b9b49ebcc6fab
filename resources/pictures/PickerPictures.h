#pragma once

#include "PictureFolder.h"

// The pictures of the date and month pickers, resource type "PICKER".
class PickerPictures {
  public:
    static void Write(PictureFolder& folder);

  private:
    static void writeArrow(PictureFolder& folder, int id, bool pointsLeft);
    static void writeWeekdays(PictureFolder& folder);
    static void writeCaption(PictureFolder& folder, int id, const QString& text);
    static void writeAnswer(PictureFolder& folder, int id, bool ok);
    static void writeDropDownFace(PictureFolder& folder);
    static void writeHeading(PictureFolder& folder);
};
