-- Links between the guides point at their HTML pages, not their Markdown
-- sources: "definitions.md#n" becomes "definitions.html#n".
function Link(link)
  link.target = link.target:gsub("^([^:/#]+)%.md(#?)", "%1.html%2")
  return link
end
