// Exports of tandrycore: stdcall, by plain name in both builds (the i686 link drops the @N).
#pragma once

#define TANDRY_EXPORT extern "C" __declspec(dllexport)
