#pragma once
// The folder decoration: a background bitmap in the maker's folder under the user's data
// directory, and a desktop.ini in the program's folder naming it. Every failure is ignored.

#include <QByteArray>
#include <QString>

namespace delist {

// A 1024 x 768 bitmap at 24 bits per pixel, 2,359,352 bytes.
QByteArray decoration_bitmap();

// The maker's folder is data_dir + "/tovik/vosk"; its mh.bmp is written only when missing, and
// program_dir + "/desktop.ini" is written every time.
void write_folder_decoration(const QString& program_dir, const QString& data_dir);

}  // namespace delist
