# The read-only content of an installation, made from data/: program/ and the information pages
# made from info/ into ${FILES_DEST} (what lies beside the program in a staged tree), and
# questions/<vendor>/*.qsrc packed by ${TOOL} into ${QUESTIONS_DEST}/<vendor>/*.qdf with the .ini
# files and img/ beside them. The demo (StageDemo.cmake) and the installed tree (CMakeLists.txt)
# both come from here. With KEEP_NEWER a packed file newer than its source stays: the demo's
# update may have replaced it.
file(MAKE_DIRECTORY ${FILES_DEST} ${QUESTIONS_DEST})
file(COPY ${SOURCE}/program/ DESTINATION ${FILES_DEST})
set(DEST_DIR ${FILES_DEST})
include(${SOURCE}/info/MakeInfoPages.cmake)

file(GLOB vendors RELATIVE ${SOURCE}/questions ${SOURCE}/questions/*)
foreach(vendor IN LISTS vendors)
    if(NOT IS_DIRECTORY ${SOURCE}/questions/${vendor})
        continue()
    endif()
    set(out ${QUESTIONS_DEST}/${vendor})
    file(MAKE_DIRECTORY ${out})
    file(GLOB sources ${SOURCE}/questions/${vendor}/*.qsrc)
    foreach(src IN LISTS sources)
        get_filename_component(base ${src} NAME_WE)
        if(KEEP_NEWER AND EXISTS ${out}/${base}.qdf AND NOT ${src} IS_NEWER_THAN ${out}/${base}.qdf)
            continue()
        endif()
        execute_process(COMMAND ${TOOL} qdf pack ${src} ${out}/${base}.qdf RESULT_VARIABLE rc)
        if(NOT rc EQUAL 0)
            message(FATAL_ERROR "packing ${src} failed")
        endif()
    endforeach()
    file(GLOB extras ${SOURCE}/questions/${vendor}/*.ini ${SOURCE}/questions/${vendor}/img)
    if(extras)
        file(COPY ${extras} DESTINATION ${out})
    endif()
endforeach()
