// Makes the sample photo tree of `make demo`: a few folders of pictures
// drawn from ImageMagick's built-in images, a folder information file and a
// movie placeholder with a thumbnail.
//   orvanta-demo-tree FOLDER
#include <Magick++.h>

#include <filesystem>
#include <fstream>
#include <iostream>
#include <string>

namespace {

namespace fs = std::filesystem;

// Writes a built-in image ("logo:", "rose:"...) scaled to `geometry`.
void Picture(const fs::path& path, const std::string& builtin,
             const std::string& geometry) {
  Magick::Image image(builtin);
  image.resize(Magick::Geometry(geometry));
  image.write(path.string());
}

void Text(const fs::path& path, const std::string& text) {
  std::ofstream out(path, std::ios::binary);
  out << text;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::cerr << "usage: orvanta-demo-tree FOLDER\n";
    return 2;
  }
  Magick::InitializeMagick(argv[0]);
  const fs::path root(argv[1]);
  try {
    fs::remove_all(root);
    fs::create_directories(root / "Beach day");
    fs::create_directories(root / "Old town");
    Picture(root / "Logo.jpg", "logo:", "1280x960");
    Picture(root / "Wizard.png", "wizard:", "480x640");
    Picture(root / "Granite.gif", "granite:", "256x256");
    Picture(root / "Sunset.jpg", "netscape:", "200x200");
    Text(root / "DirInfo.txt",
         "[Directory Information]\r\n"
         "DirectoryTitle=Summer holiday\r\n"
         "DirectoryDescription=Pictures made from ImageMagick's built-in "
         "images.\r\n"
         "SidebarPictureName=Sunset.jpg\r\n"
         "SidebarPictureCaption=The sidebar picture\r\n"
         "\r\n"
         "[Photo specific descriptions]\r\n"
         "Logo.jpg=The ImageMagick logo\r\n"
         "Wizard.png=A wizard, taller than wide\r\n");
    Picture(root / "Beach day" / "Rose 1.jpg", "rose:", "1600x1200");
    Picture(root / "Beach day" / "Rose #2.png", "rose:", "140x100");
    Text(root / "Beach day" / "Waves.mov", "a movie placeholder");
    Picture(root / "Beach day" / "t_Waves.jpg", "rose:", "150x150");
    Text(root / "Beach day" / "DirInfo.txt",
         "DirectoryTitle=A day at the beach\r\n");
    Picture(root / "Old town" / "Checks & stripes.bmp", "pattern:checkerboard",
            "300x200");
  } catch (const std::exception& e) {
    std::cerr << "orvanta-demo-tree: " << e.what() << "\n";
    return 1;
  }
  return 0;
}
