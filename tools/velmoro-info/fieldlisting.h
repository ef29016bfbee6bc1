#pragma once
#include "trackinfo/mpegaudio.h"

#include <QStringList>

// Every field of a track's record, then what is derived from it, as
// "Name: value" lines; numbers as stored, booleans as yes/no.
QStringList FieldListing(const velmoro::trackinfo::TMPEGAudio& track);
