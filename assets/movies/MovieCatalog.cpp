// The list of all movies.
#include "movies/MovieCatalog.h"

namespace art {

std::vector<MovieSpec> allMovies() {
    std::vector<MovieSpec> movies = introMovies();
    for (MovieSpec& spec : tutorialMovies()) {
        movies.push_back(std::move(spec));
    }
    return movies;
}

}  // namespace art
