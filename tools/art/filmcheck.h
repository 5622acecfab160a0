// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// The films checked as geometry, frame by frame from their scripts: no two road users' bodies
// overlap (a crash), and no vehicle stands on a continuous line (the learner's car leaving a
// motorway across its edge line).

#include "art/filmkit.h"

#include <QStringList>

namespace wirtal::art::film {

// What is wrong with one moment of a film, each as "TY and A overlap" or "TY on the continuous
// line at x = 1.75 m".
QStringList sceneProblems(const FilmScene& scene);

// Every problem of every frame of a film, each as "NAME at 6.25 s: ...".
QStringList filmProblems(const Film& film);

} // namespace wirtal::art::film
