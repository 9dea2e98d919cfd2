# The data store, its decode tick, the settings files and the snapshot ring.
add_library(cabstore STATIC
  ${CMAKE_CURRENT_SOURCE_DIR}/ReadMVBData.cpp
  ${CMAKE_CURRENT_SOURCE_DIR}/DecodeTick.cpp
  ${CMAKE_CURRENT_SOURCE_DIR}/SnapshotRing.cpp
  ${CMAKE_CURRENT_SOURCE_DIR}/SettingsFiles.cpp
  ${CMAKE_CURRENT_SOURCE_DIR}/DecodeRules.cpp)
target_include_directories(cabstore PUBLIC ${CMAKE_CURRENT_SOURCE_DIR})
target_link_libraries(cabstore PUBLIC cabbus cabfileio cabvocabulary PkgConfig::GLIBMM)
