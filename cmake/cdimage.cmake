# Lays out the product medium under the build folder: the programs beside
# the product INF, the uninstall program (setup under its uninstall name),
# the compressed uninstaller and the companion installer in its own folder.
set(VANTRELL_CDIMAGE ${CMAKE_BINARY_DIR}/cdimage)
add_custom_target(cdimage ALL
  COMMAND ${CMAKE_COMMAND} -E make_directory ${VANTRELL_CDIMAGE}/PICTAVO
  COMMAND ${CMAKE_COMMAND} -E copy $<TARGET_FILE:setup> ${VANTRELL_CDIMAGE}/setup.exe
  COMMAND ${CMAKE_COMMAND} -E copy $<TARGET_FILE:setup> ${VANTRELL_CDIMAGE}/uninstal.exe
  COMMAND ${CMAKE_COMMAND} -E copy ${CMAKE_SOURCE_DIR}/cdimage/USBDE301r.INF ${VANTRELL_CDIMAGE}/USBDE301r.INF
  COMMAND ${CMAKE_COMMAND} -E copy $<TARGET_FILE:companion> ${VANTRELL_CDIMAGE}/PICTAVO/setup.exe
  # The uninstaller, LZ-compressed (SZDD) under the name the copy table reads.
  COMMAND ${CMAKE_COMMAND} -E copy $<TARGET_FILE:drvsweep> ${CMAKE_BINARY_DIR}/drvsweep.exe
  COMMAND ${CMAKE_COMMAND} -E rm -f ${CMAKE_BINARY_DIR}/drvsweep.exe_
  COMMAND mscompress ${CMAKE_BINARY_DIR}/drvsweep.exe
  COMMAND ${CMAKE_COMMAND} -E rename ${CMAKE_BINARY_DIR}/drvsweep.exe_ ${VANTRELL_CDIMAGE}/drvsweep.ex_
  DEPENDS setup drvsweep companion ${CMAKE_SOURCE_DIR}/cdimage/USBDE301r.INF
  COMMENT "Laying out the CD image in ${VANTRELL_CDIMAGE}")
