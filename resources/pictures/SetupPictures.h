#pragma once

#include "PictureFolder.h"

// The pictures of the setup wizard's pages, resource type "CUSTOM": 101 the band of the
// welcome page, 102 to 106 the pictures of pages 1 to 5. The wizard is a program of its
// own, so these ids do not meet the main menu's.
class SetupPictures {
  public:
    static void Write(PictureFolder& folder);

  private:
    static void writeWelcome(PictureFolder& folder);
    static void writeStep(PictureFolder& folder, int id, int kind, const char* label,
                          unsigned colour);
};
