local i = 0
local s = 0
while i < 2000000 do
    local k = i % 12
    if k == 0 then
        s = s + 1
    elseif k == 1 then
        s = s + 3
    elseif k == 2 then
        s = s - 2
    elseif k == 3 then
        s = s + 5
    elseif k == 4 then
        s = s ~ 1
    elseif k == 5 then
        s = s - 4
    elseif k == 6 then
        s = s + 6
    elseif k == 7 then
        s = s - 1
    elseif k == 8 then
        s = s + 2
    elseif k == 9 then
        s = s + k
    elseif k == 10 then
        s = s - 3
    else
        s = s + 7
    end
    i = i + 1
end
print(s)
