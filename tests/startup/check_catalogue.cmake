# The catalogue must hold exactly the texts the program passes to tr(), each translated. lupdate updates a
# scratch copy of it from the sources: a tr() text the catalogue lacks (new, or changed on one side only)
# comes back unfinished, and a catalogue text no tr() uses any more comes back vanished or obsolete.
# The catalogue in the source tree is never written.
#   cmake -DLUPDATE=lupdate -DCATALOGUE=.../zh_CN.ts -DSOURCE_ROOT=... -DSOURCE_DIRS=engine,ui,...
#         -DSCRATCH=dir -P check_catalogue.cmake
cmake_minimum_required(VERSION 3.16)

string(REPLACE "," ";" directories "${SOURCE_DIRS}")
set(sources "")
foreach(directory ${directories})
    if(NOT IS_DIRECTORY ${SOURCE_ROOT}/${directory})
        message(FATAL_ERROR "no source directory ${SOURCE_ROOT}/${directory}")
    endif()
    list(APPEND sources ${SOURCE_ROOT}/${directory})
endforeach()

get_filename_component(name ${CATALOGUE} NAME)
set(copy ${SCRATCH}/${name})
file(REMOVE_RECURSE ${SCRATCH})
file(MAKE_DIRECTORY ${SCRATCH})
configure_file(${CATALOGUE} ${copy} COPYONLY)
execute_process(COMMAND ${LUPDATE} -locations none ${sources} -ts ${copy}
    RESULT_VARIABLE result OUTPUT_VARIABLE output ERROR_VARIABLE output)
if(NOT result EQUAL 0)
    message(FATAL_ERROR "lupdate failed (${result}):\n${output}")
endif()

# Walks the contexts and their messages by position; the texts may hold characters that CMake's list
# and regular-expression handling would trip over.
file(READ ${copy} updated)
set(faults "")
set(count 0)
while(TRUE)
    string(FIND "${updated}" "</context>" end)
    if(end EQUAL -1)
        break()
    endif()
    string(SUBSTRING "${updated}" 0 ${end} context)
    math(EXPR end "${end} + 10")
    string(SUBSTRING "${updated}" ${end} -1 updated)
    string(REGEX MATCH "<name>([^<]*)</name>" ignored "${context}")
    set(contextName "${CMAKE_MATCH_1}")
    while(TRUE)
        string(FIND "${context}" "</message>" end)
        if(end EQUAL -1)
            break()
        endif()
        string(SUBSTRING "${context}" 0 ${end} message)
        math(EXPR end "${end} + 10")
        string(SUBSTRING "${context}" ${end} -1 context)
        math(EXPR count "${count} + 1")
        set(state "")
        if(message MATCHES "<translation type=\"([a-z]+)\"")
            set(state "${CMAKE_MATCH_1}")
        elseif(message MATCHES "<translation></translation>")
            # lrelease leaves an empty translation out, so the window would show the English text.
            set(state "translated as nothing")
        endif()
        if(NOT state STREQUAL "")
            string(FIND "${message}" "<source>" start)
            string(FIND "${message}" "</source>" stop)
            math(EXPR start "${start} + 8")
            math(EXPR length "${stop} - ${start}")
            string(SUBSTRING "${message}" ${start} ${length} source)
            string(APPEND faults "  ${contextName}: \"${source}\" is ${state}\n")
        endif()
    endwhile()
endwhile()

if(count EQUAL 0)
    message(FATAL_ERROR "no messages in the updated ${name}:\n${output}")
endif()
if(NOT faults STREQUAL "")
    message(FATAL_ERROR "${name} and the sources' tr() texts differ:\n${faults}"
        "Update it from the source tree with\n"
        "  lupdate -locations none engine ui startup app tools/render -ts resources/lang/${name}\n"
        "then translate the new messages and delete the vanished ones.")
endif()
message(STATUS "${name}: all ${count} messages match a tr() text and are translated")
