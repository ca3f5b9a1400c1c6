#pragma once

#include <QString>
#include <QStringList>

class AppController;

// The one argument of the program's own: a picture file to open at launch, as
// the desktop's "Open with" and the .desktop entry's %F pass it. Qt has taken
// its own options out of the arguments before.
class LaunchArguments {
public:
    LaunchArguments() = delete;

    // The picture file named in arguments (the program's name first), or an
    // empty string. Of several files the first: the window holds one picture.
    static QString Picture(const QStringList& arguments);
    // Opens that picture in the launched window as a confirmed open sheet would.
    static void OpenPicture(AppController& controller, const QStringList& arguments);
};
