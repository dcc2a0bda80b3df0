// Typed texts that take the place search longest, which the benchmarks time natively and under Wine.
#pragma once

// Single letters match the most places, texts that match none read every
// name, and long words typed with slips are searched again among every word
// of their first letter: between them they take the longest searches.
const char* const SLOW_SEARCHES[] = {"a",
                                     "e",
                                     "s",
                                     "z",
                                     "x",
                                     "ł",
                                     "ö",
                                     "new",
                                     "san",
                                     "sao paulo",
                                     "qqq",
                                     "zzzzzzzzzz",
                                     "los angeles county",
                                     "ljub",
                                     "b ",
                                     "-",
                                     "москва",
                                     "北京",
                                     "springfield il",
                                     "san jose costa rica",
                                     "a a a a a a a a a a a a a a a a a",
                                     "santa maria de los angeles de la sierra madre oriental del norte y del sur",
                                     "s s",
                                     "mari",
                                     "bracelnoa",
                                     "st petersbrug"};

// The user's country the benchmarks search from (ISO code).
const char* const SLOW_SEARCHES_HOME = "SI";
