#include <gtest/gtest.h>
#include <QImage>
#include <QPixmap>
#include <set>
#include <string>
#include <vector>

#include "artwork.h"
#include "dialogs/dialog_descriptions.h"
#include "shell/popup_menu.h"

namespace kelvado::e2e {
namespace {

QImage Image(const QIcon& icon, int size) {
  return icon.pixmap(size, size).toImage();
}

// Every picture core names exists at its size and differs from the others of its set,
// so no name points at the wrong file.
void ExpectDistinctPictures(const std::vector<std::string>& names, int size, std::size_t distinct) {
  std::set<QByteArray> contents;
  for (const std::string& name : names) {
    SCOPED_TRACE(name);
    const QIcon icon = qt::Picture(name);
    ASSERT_FALSE(icon.isNull());
    EXPECT_TRUE(icon.availableSizes().contains(QSize(size, size)));
    const QImage image = Image(icon, size);
    contents.insert(
        QByteArray(reinterpret_cast<const char*>(image.constBits()), image.sizeInBytes()));
  }
  EXPECT_EQ(contents.size(), distinct);
}

TEST(Artwork, TrayPicturesAreFiveDistinct32PixelPictures) {
  ExpectDistinctPictures(TrayPictureNames(), 32, 5);
}

TEST(Artwork, MenuImagesAre16PixelsWithOnePlayAndOneRecordPicture) {
  // Play 1-4 share a picture, as do record 1-4: four more for stop, exit and settings.
  ExpectDistinctPictures(MenuImageNames(), 16, 5);
  EXPECT_EQ(Image(qt::MenuImage(0), 16), Image(qt::MenuImage(3), 16));
  EXPECT_NE(Image(qt::MenuImage(0), 16), Image(qt::MenuImage(4), 16));
}

TEST(Artwork, DialogPicturesExistAndAboutIsTheIdleTrayPicture) {
  for (const FormDescription* dialog : {&AboutDialog(), &ConfirmDialog()}) {
    const WidgetDescription* image = dialog->find("Image1");
    ASSERT_NE(image, nullptr) << dialog->name;
    EXPECT_FALSE(qt::Picture(image->caption).isNull()) << image->caption;
  }
  EXPECT_EQ(Image(qt::Picture(AboutDialog().find("Image1")->caption), 32),
            Image(qt::TrayPicture(0), 32));
}

TEST(Artwork, ApplicationIconComesInLauncherSizes) {
  const QList<QSize> sizes = qt::ApplicationIcon().availableSizes();
  for (int size : {32, 64, 128}) EXPECT_TRUE(sizes.contains(QSize(size, size))) << size;
  EXPECT_TRUE(qt::Picture("no-such-picture").isNull());
}

}  // namespace
}  // namespace kelvado::e2e
