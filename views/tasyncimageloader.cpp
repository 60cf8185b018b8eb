#include "views/tasyncimageloader.h"

#include "toolkit/gui/jpegimage.h"

TAsyncImageLoader::~TAsyncImageLoader() { WaitFor(); }

void TAsyncImageLoader::Load(const std::string& fileName, TSize area) {
  FileName = fileName;
  Area = area;
  Loaded = false;
  Start();
}

void TAsyncImageLoader::Execute() {
  // A failure ends the thread quietly: the wallpaper keeps its picture.
  TJPEGImage jpeg;
  jpeg.setCoverArea(Area);
  jpeg.LoadFromFile(FileName);
  Bitmap.Assign(jpeg);
  Loaded = true;
}
