#include "shell/pictures_window.h"

#include <QComboBox>
#include <QImage>
#include <QImageReader>
#include <QLabel>
#include <QPixmap>
#include <array>
#include <string_view>

#include "base/textfile.h"
#include "shell/fonts_draw.h"
#include "shell/message_dialog.h"

namespace himlavy {

namespace {

// One picture: the list's item, its file and its credit line.
struct TPictureEntry {
  std::string_view Item;
  std::string_view File;
  std::string_view Credit;
};

// The pictures in the order of the list.
const std::array<TPictureEntry, 16> kPictures = {{
    {"Solen", "solen.bmp", ""},
    {"Merkurius", "merkuriu.bmp", "Fotomosaik (KStars)"},
    {"Venus", "venus.bmp", "UV-bild av molnen (KStars)"},
    {"Jorden", "jorden.bmp", "Rendering, NASA Blue Marble"},
    {"Månen", "manen.bmp", ""},
    {"Mars", "mars.bmp", "Bild från KStars"},
    {"Jupiter", "jupiter.bmp", "Bild från KStars"},
    {"Io", "io.bmp", "Rendering, karta av J. van Vliet"},
    {"Saturnus", "saturnus.bmp", "Bild från KStars"},
    {"Tethys", "tethys.bmp", "Rendering, Cassini-karta (NASA)"},
    {"Uranus", "uranus.bmp", "Infraröd bild (KStars)"},
    {"Neptunus", "neptunus.bmp", "Voyager 2, 1989"},
    {"Pluto", "pluto.bmp", "New Horizons, 2015"},
    {"243 Ida", "ida.bmp", "Rendering, karta från Galileo-bilder"},
    {"C/1996 B2", "c_96_b2.bmp", "Illustration, ingen bild av kometen"},
    {"M31", "m31.bmp", "M31 Andromedagalaxen, foto Herm Perez"},
}};

QString Text(std::string_view text) {
  return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

// Layout of the client area (the window is 509 x 556 pixels outside).
const QRect kListBox(8, 8, 145, 21);
const QRect kPictureBox(8, 36, 485, 450);
const QRect kCreditBox(8, 492, 485, 20);

}  // namespace

TPicturesWindow::TPicturesWindow(TObsState& state, const std::filesystem::path& dataDir,
                                 QWidget* parent)
    : TChildWindow(state, dataDir, parent) {
  setObjectName(QStringLiteral("picturesWindow"));
  setWindowTitle(QStringLiteral("Bilder på astronomiska objekt"));
  setWindowFlag(Qt::WindowStaysOnTopHint, true);
  SetPlacement(QRect(510, 73, 509, 556));
  SetFixedBorder();
  SetClientColour(Qt::black);

  const QFont font = MakeFont(QStringLiteral("MS Sans Serif"), 8);
  list_ = new QComboBox(Client());
  list_->setObjectName(QStringLiteral("pictureList"));
  list_->setFont(font);
  list_->setGeometry(kListBox);
  list_->setMaxVisibleItems(16);
  for (const TPictureEntry& entry : kPictures) list_->addItem(Text(entry.Item));

  picture_ = new QLabel(Client());
  picture_->setObjectName(QStringLiteral("picture"));
  picture_->setGeometry(kPictureBox);
  picture_->setAlignment(Qt::AlignCenter);

  credit_ = new QLabel(Client());
  credit_->setObjectName(QStringLiteral("pictureCredit"));
  credit_->setFont(font);
  credit_->setGeometry(kCreditBox);
  QPalette palette = credit_->palette();
  palette.setColor(QPalette::WindowText, ToQColor(colours::kSilver));
  credit_->setPalette(palette);

  connect(list_, &QComboBox::currentIndexChanged, this, &TPicturesWindow::ShowChosenPicture);
}

void TPicturesWindow::FormShow() {
  {
    const QSignalBlocker blocker(list_);
    list_->setCurrentIndex(0);
  }
  if (LoadPicture(0)) credit_->clear();
}

void TPicturesWindow::ShowChosenPicture(int index) {
  if (index < 0 || index >= static_cast<int>(kPictures.size())) return;
  if (LoadPicture(index)) credit_->setText(Text(kPictures[index].Credit));
}

bool TPicturesWindow::LoadPicture(int index) {
  const std::string_view file = kPictures[index].File;
  const std::filesystem::path path = ResolveDataPath(DataDir(), file);
  QImageReader reader(QString::fromStdString(path.string()), "BMP");
  const QImage image = reader.read();
  if (image.isNull()) {
    ShowProgramMessage(this, QStringLiteral("Cannot open file %1").arg(Text(file)));
    return false;
  }
  picture_->setPixmap(QPixmap::fromImage(image));
  return true;
}

}  // namespace himlavy
