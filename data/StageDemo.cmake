# Lays out a complete installation: BIN/ with the program, its sound module and the files of the
# program directory, QDAT/<vendor>/ with the packed question files (both by StageData.cmake), an
# empty HIST/.
set(FILES_DEST ${DEST}/BIN)
set(QUESTIONS_DEST ${DEST}/QDAT)
set(KEEP_NEWER ON)
include(${SOURCE}/StageData.cmake)
file(MAKE_DIRECTORY ${DEST}/HIST)
file(COPY ${PROGRAM} DESTINATION ${DEST}/BIN)
# The program loads its sound player from its own directory at the first sound.
if(SOUND_MODULE)
    file(COPY ${SOUND_MODULE} DESTINATION ${DEST}/BIN)
endif()

# The demo's quarvel-center: the current copy of every demo test, one of them newer than the
# installed one so that there is something to update to, and every settings file (same versions,
# so no image is fetched). run.sh serves it and registers the demo user.
if(CENTER)
    file(MAKE_DIRECTORY ${CENTER}/updates ${CENTER}/images)
    file(GLOB_RECURSE all_sources ${SOURCE}/questions/*.qsrc)
    foreach(src IN LISTS all_sources)
        get_filename_component(base ${src} NAME_WE)
        if(EXISTS ${CENTER}/updates/${base}.qdf)
            continue()
        endif()
        if(base STREQUAL "qv101")
            file(READ ${src} text)
            string(REGEX REPLACE "\nupdated: [0-9]+" "\nupdated: 20261201090000" text "${text}")
            set(src ${CENTER}/qv101-newer.qsrc)
            file(WRITE ${src} "${text}")
        endif()
        execute_process(COMMAND ${TOOL} qdf pack ${src} ${CENTER}/updates/${base}.qdf RESULT_VARIABLE rc)
        if(NOT rc EQUAL 0)
            message(FATAL_ERROR "packing ${src} for the demo server failed")
        endif()
    endforeach()
    file(GLOB settings_files ${SOURCE}/questions/*/*.ini)
    file(COPY ${settings_files} DESTINATION ${CENTER}/images)
endif()
