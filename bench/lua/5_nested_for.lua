local s = 0
for i = 0, 3000 - 1 do
    for j = 0, 3000 - 1 do
        s = s + ((i ~ j) & 7)
    end
end
print(s)
