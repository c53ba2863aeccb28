# Unity builds (CMAKE_UNITY_BUILD=ON, as ./dev.sh builds) compile a target's sources in batches
# of one translation unit each, so that Qt's headers are read once for several files. Names a
# source declares for itself at file scope then meet those of the other files of its batch:
# a namespace alias (`namespace Id = StringId::...`) or a using-directive would clash or make a
# name ambiguous. tav_unity_alone(TARGET) compiles every source of TARGET that has one alone.
function(tav_unity_alone target)
    get_target_property(sources ${target} SOURCES)
    get_target_property(source_dir ${target} SOURCE_DIR)
    foreach(source ${sources})
        if(NOT source MATCHES "\\.cpp$")
            continue()
        endif()
        if(NOT IS_ABSOLUTE "${source}")
            set(source "${source_dir}/${source}")
        endif()
        file(STRINGS "${source}" scoped REGEX "^(namespace [A-Za-z_]+ = |using namespace )")
        if(scoped)
            set_property(SOURCE "${source}" TARGET_DIRECTORY ${target}
                         PROPERTY SKIP_UNITY_BUILD_INCLUSION ON)
        endif()
    endforeach()
endfunction()
