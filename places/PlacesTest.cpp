// Tests of the letter folding, the search by name and the guess from country and Windows zone.
#include "places/Gazetteer.h"
#include "places/LetterFold.h"

#include <gtest/gtest.h>
