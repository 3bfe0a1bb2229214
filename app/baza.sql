-- The template of the score database "baza.sqlite", copied into the documents directory when
-- the player has none. One row per user and gun holds the best result; the program keeps that
-- invariant itself. Integer columns make comparisons, ORDER BY id_gun and SUM(score) numeric.
CREATE TABLE scores (
    id_score INTEGER PRIMARY KEY,
    username TEXT,
    cat_name TEXT,
    id_gun INTEGER,
    score INTEGER
);
CREATE INDEX scores_by_user_and_gun ON scores (username, id_gun);
